#include "platform/DialogUnits.h"

#include "platform/DialogTemplate.h"

#include <QFontDatabase>
#include <QFontMetrics>

int MulDiv(int a, int b, int c)
{
    if (c == 0)
        return 0;
    const qint64 product = qint64(a) * b;
    const qint64 divisor = c;
    const bool negative = (product < 0) != (divisor < 0);
    const qint64 num = product < 0 ? -product : product;
    const qint64 den = divisor < 0 ? -divisor : divisor;
    const qint64 rounded = (num + den / 2) / den;
    return int(negative ? -rounded : rounded);
}

QSize DialogBaseUnits(const QFont &font)
{
    static const QString letters = QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");
    const QFontMetrics metrics(font);
    const int width = metrics.horizontalAdvance(letters);
    return QSize((width / 26 + 1) / 2, metrics.height());
}

QRect MapDialogRect(const QRect &dlu, const QSize &baseUnits)
{
    const int left = MulDiv(dlu.x(), baseUnits.width(), 4);
    const int top = MulDiv(dlu.y(), baseUnits.height(), 8);
    const int right = MulDiv(dlu.x() + dlu.width(), baseUnits.width(), 4);
    const int bottom = MulDiv(dlu.y() + dlu.height(), baseUnits.height(), 8);
    return QRect(left, top, right - left, bottom - top);
}

namespace {

QString DesktopSansFamily()
{
    const QString family = QFontDatabase::systemFont(QFontDatabase::GeneralFont).family();
    return family.isEmpty() ? QStringLiteral("Sans Serif") : family;
}

} // namespace

QFont DialogFont(const DialogTemplate &tmpl)
{
    const bool installed =
        !tmpl.fontFace.isEmpty() && QFontDatabase::families().contains(tmpl.fontFace, Qt::CaseInsensitive);
    QFont font(installed ? tmpl.fontFace : DesktopSansFamily());
    font.setPointSize(tmpl.pointSize > 0 ? tmpl.pointSize : 8);
    return font;
}
