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
