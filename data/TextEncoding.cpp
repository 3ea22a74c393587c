#include "data/TextEncoding.h"

#include <QStringDecoder>
#include <QStringEncoder>

namespace {

const char *CodecName(TextEncoding::Kind kind)
{
    return kind == TextEncoding::Kind::Utf8 ? "UTF-8" : "windows-1250";
}

} // namespace

bool TextEncoding::IsValidUtf8(QByteArrayView bytes)
{
    return bytes.isValidUtf8();
}

TextEncoding TextEncoding::Detect(QByteArrayView bytes)
{
    return TextEncoding(IsValidUtf8(bytes) ? Kind::Utf8 : Kind::Windows1250);
}

QStringDecoder TextEncoding::Decoder() const
{
    return QStringDecoder(CodecName(m_kind));
}

QString TextEncoding::Decode(QByteArrayView bytes) const
{
    QStringDecoder decoder(CodecName(m_kind));
    if (!decoder.isValid())
        return QString::fromLatin1(bytes);
    return decoder.decode(bytes);
}

std::optional<QByteArray> TextEncoding::Encode(const QString &text) const
{
    QStringEncoder encoder(CodecName(m_kind));
    if (!encoder.isValid())
        return std::nullopt;
    QByteArray bytes = encoder.encode(text);
    // A character the code page lacks comes out as a substitute: only an
    // exact round trip proves the text was stored as typed.
    if (encoder.hasError() || Decode(bytes) != text)
        return std::nullopt;
    return bytes;
}
