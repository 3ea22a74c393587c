#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringDecoder>

#include <optional>

// The encoding of a verse or settings file: UTF-8 when all of its bytes are
// valid UTF-8, otherwise Windows-1250, the code page of the Czech files.
// The verse list keeps raw bytes; this turns them into display text and back.
class TextEncoding
{
public:
    enum class Kind { Utf8, Windows1250 };

    TextEncoding() = default;
    explicit TextEncoding(Kind kind)
        : m_kind(kind)
    {
    }

    static TextEncoding Detect(QByteArrayView bytes);
    static bool IsValidUtf8(QByteArrayView bytes);

    Kind kind() const { return m_kind; }
    QString Decode(QByteArrayView bytes) const;
    // A decoder for many pieces in turn, cheaper than Decode for each.
    QStringDecoder Decoder() const;
    // nullopt when the text holds a character this encoding cannot store.
    std::optional<QByteArray> Encode(const QString &text) const;

private:
    Kind m_kind = Kind::Utf8;
};
