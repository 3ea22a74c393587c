#include "data/TextEncoding.h"

#include <QStringDecoder>
#include <QStringEncoder>
#include <QtEndian>

#include <bit>
#include <cstring>

namespace {

const char *CodecName(TextEncoding::Kind kind)
{
    return kind == TextEncoding::Kind::Utf8 ? "UTF-8" : "windows-1250";
}

// Length of the UTF-8 sequence that starts at p (at most n bytes), or 0 when
// it is not a valid, shortest-form, non-surrogate sequence.
int Utf8SequenceLength(const unsigned char *p, qsizetype n)
{
    const unsigned char c = p[0];
    int len;
    unsigned char lo = 0x80, hi = 0xBF;
    if (c >= 0xC2 && c <= 0xDF) {
        len = 2;
    } else if (c >= 0xE0 && c <= 0xEF) {
        len = 3;
        if (c == 0xE0) lo = 0xA0;
        if (c == 0xED) hi = 0x9F;
    } else if (c >= 0xF0 && c <= 0xF4) {
        len = 4;
        if (c == 0xF0) lo = 0x90;
        if (c == 0xF4) hi = 0x8F;
    } else {
        return 0;
    }
    if (n < len || p[1] < lo || p[1] > hi)
        return 0;
    for (int i = 2; i < len; ++i)
        if ((p[i] & 0xC0) != 0x80)
            return 0;
    return len;
}

} // namespace

bool TextEncoding::IsValidUtf8(QByteArrayView bytes)
{
    const auto *p = reinterpret_cast<const unsigned char *>(bytes.data());
    const qsizetype n = bytes.size();
    qsizetype i = 0;
    while (i < n) {
        // Jump over ASCII eight bytes at a time, straight to the first byte
        // that starts a longer sequence.
        if (n - i >= 8) {
            quint64 word;
            std::memcpy(&word, p + i, 8);
            const quint64 high = qFromLittleEndian(word) & 0x8080808080808080ULL;
            if (high == 0) {
                i += 8;
                continue;
            }
            i += std::countr_zero(high) / 8;
        } else if (p[i] < 0x80) {
            ++i;
            continue;
        }
        const int len = Utf8SequenceLength(p + i, n - i);
        if (len == 0)
            return false;
        i += len;
    }
    return true;
}

TextEncoding TextEncoding::Detect(QByteArrayView bytes)
{
    return TextEncoding(IsValidUtf8(bytes) ? Kind::Utf8 : Kind::Windows1250);
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
