#include "platform/LogFont.h"

#include <QFontMetrics>

#include <cstring>

void SetFaceName(LogFont &lf, const QByteArray &utf8Name)
{
    int length = qMin<int>(utf8Name.size(), sizeof lf.lfFaceName - 1);
    // Back up over continuation bytes (10xxxxxx) to a character start.
    if (length < utf8Name.size()) {
        while (length > 0 && (uchar(utf8Name.at(length)) & 0xC0) == 0x80)
            --length;
    }
    std::memset(lf.lfFaceName, 0, sizeof lf.lfFaceName);
    std::memcpy(lf.lfFaceName, utf8Name.constData(), size_t(length));
}

namespace {

QString FaceName(const LogFont &lf)
{
    const size_t length = qstrnlen(lf.lfFaceName, sizeof lf.lfFaceName);
    return QString::fromUtf8(lf.lfFaceName, qsizetype(length));
}

int ClampPixels(qint64 pixels)
{
    return int(qBound(qint64(kMinFontPixels), pixels, qint64(kMaxFontPixels)));
}

int LineHeightAt(QFont font, int pixelSize)
{
    font.setPixelSize(pixelSize);
    return QFontMetrics(font).height();
}

} // namespace

// Every size tried loads a font, so the sizes tried are where the line heights
// measured so far put the answer: first the size nearest a line 1.1 times the
// size high, then the cell scaled by the last size's line height (rounded
// heights, so to the cell's half-pixel edge). That usually takes two sizes,
// the answer and the one above it; after a few tries the range is halved
// instead. Line heights grow with the pixel size, so only the number of sizes
// tried differs from halving the range from the start.
int PixelSizeForCellHeight(const QFont &font, int cellHeight)
{
    constexpr int kGuesses = 4;
    int low = kMinFontPixels; // fits, or nothing fits
    int high = ClampPixels(cellHeight);
    qint64 guess = (qint64(high) * 10 + 5) / 11;
    for (int tries = 0; low < high; ++tries) {
        const int size =
            tries < kGuesses ? int(qBound(qint64(low) + 1, guess, qint64(high))) : low + (high - low + 1) / 2;
        const int height = LineHeightAt(font, size);
        const qint64 scaled = (2 * qint64(cellHeight) + 1) * size / (2 * qint64(qMax(height, 1)));
        if (height <= cellHeight) {
            low = size;
            guess = qMax(scaled, qint64(size) + 1);
        } else {
            high = size - 1;
            guess = qMin(scaled, qint64(size) - 1);
        }
    }
    return low;
}

QFont CreateFontIndirect(const LogFont &lf)
{
    QFont font;
    const QString face = FaceName(lf);
    if (!face.isEmpty())
        font.setFamily(face);
    font.setItalic(lf.lfItalic);
    font.setWeight(lf.lfWeight > 0 ? QFont::Weight(qBound(1, lf.lfWeight, 1000)) : QFont::Normal);
    if (lf.lfHeight < 0)
        font.setPixelSize(ClampPixels(-qint64(lf.lfHeight)));
    else if (lf.lfHeight > 0)
        font.setPixelSize(PixelSizeForCellHeight(font, lf.lfHeight));
    return font;
}
