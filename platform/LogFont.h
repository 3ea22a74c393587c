#pragma once

#include <QFont>

// A font description: height, weight, italic and face name.
struct LogFont
{
    // 0: the default height; > 0: the cell height (line height) in pixels;
    // < 0: minus the character height in pixels.
    int lfHeight = 0;
    // 100..900, 400 normal, 700 bold; 0 for normal.
    int lfWeight = 0;
    bool lfItalic = false;
    // The face name in UTF-8, at most 31 bytes and a terminating zero.
    char lfFaceName[32] = {};
};

constexpr int kMinFontPixels = 1;
constexpr int kMaxFontPixels = 512;

// Copies a face name into the description, cut to 31 bytes without
// splitting a UTF-8 character.
void SetFaceName(LogFont &lf, const QByteArray &utf8Name);

// The font the description asks for. Pixel sizes are held to
// kMinFontPixels..kMaxFontPixels.
QFont CreateFontIndirect(const LogFont &lf);

// The largest pixel size (within the limits) whose line height does not
// exceed cellHeight; the smallest size when even that one is taller.
int PixelSizeForCellHeight(const QFont &font, int cellHeight);
