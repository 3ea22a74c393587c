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

int PixelSizeForCellHeight(const QFont &font, int cellHeight)
{
    int low = kMinFontPixels;
    int high = ClampPixels(cellHeight);
    if (LineHeightAt(font, low) > cellHeight)
        return low;
    while (low < high) { // line height grows with the pixel size
        const int middle = low + (high - low + 1) / 2;
        if (LineHeightAt(font, middle) <= cellHeight)
            low = middle;
        else
            high = middle - 1;
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
