#pragma once

#include <QString>

// Text longer than this is shown cut, with an ellipsis: no verse comes near
// it, and laying out megabytes of text would stall the window for seconds.
constexpr qsizetype kMaxShownChars = 32768;

inline QString ForDisplay(QString text)
{
    if (text.size() <= kMaxShownChars)
        return text;
    text.truncate(kMaxShownChars);
    return text + QChar(0x2026);
}

// What "Copy verse" puts on the clipboard: the text as shown, without the
// space the reader leaves at its end, then the reference on a line of its own.
inline QString ClipboardText(const QString &contents, const QString &reference)
{
    QString text = contents;
    while (text.endsWith(QLatin1Char(' ')))
        text.chop(1);
    return text + QLatin1Char('\n') + reference;
}
