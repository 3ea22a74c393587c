#pragma once

#include "platform/LogFont.h"

#include <QByteArray>

// The description of a display font from its three settings: the face name
// (FONTn), the style words (FACEn: italic if it holds "ITALIC", bold if it
// holds "BOLD") and the height (SIZEn, read the atoi way).
LogFont MakeLogFont(const QByteArray &face, const QByteArray &style, const QByteArray &size);

// Heights beyond this many pixels either way are held to it: the fields
// cannot show a larger font, and a huge one would only stall the renderer.
constexpr int kMaxFontHeight = 144;
