#include "platform/Resources.h"

#include "platform/PictureColours.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QImageReader>
#include <QPainter>
#include <QRegularExpression>
#include <QSvgRenderer>

namespace {

// Reads a picture in the format its file name gives. Left to guess, the
// reader would first load every image plugin to ask each whether it knows
// the format.
QImage ReadImage(const QString &path)
{
    const QByteArray format = QFileInfo(path).suffix().toLatin1();
    QImageReader reader(path, format);
    reader.setAutoDetectImageFormat(format.isEmpty());
    return reader.read();
}

// The scale asked for, or the application's own (that of its sharpest screen).
qreal ScaleOrApps(qreal dpr)
{
    if (dpr > 0)
        return dpr;
    return qApp ? qApp->devicePixelRatio() : 1.0;
}

} // namespace

QString FindImageResource(const QString &folder, const QString &name)
{
    if (name.isEmpty())
        return {};
    const QDir dir(folder);
    const QStringList files = dir.entryList(QDir::Files, QDir::Name);
    for (const QString &file : files) {
        if (QFileInfo(file).completeBaseName().compare(name, Qt::CaseInsensitive) == 0)
            return dir.filePath(file);
    }
    return {};
}

QImage RenderPicture(const QString &path, const QPalette &palette, qreal dpr)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QByteArray source = file.readAll();
    QSvgRenderer svg(RecolourSvg(source, PictureColourMap(SvgColours(source), palette)));
    if (!svg.isValid())
        return {};
    const QSize size = (QSizeF(svg.defaultSize()) * dpr).toSize();
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    svg.render(&painter);
    painter.end();
    image.setDevicePixelRatio(dpr);
    return image;
}

QPixmap LoadBitmapResource(const QString &name, const QPalette &palette, qreal dpr)
{
    const QString path = FindImageResource(QStringLiteral(":/bitmaps"), name);
    return path.isEmpty() ? QPixmap() : QPixmap::fromImage(RenderPicture(path, palette, ScaleOrApps(dpr)));
}

QIcon LoadIconResource(const QString &name, qreal dpr)
{
    QIcon icon;
    QList<qreal> scales{1.0};
    if (ScaleOrApps(dpr) != 1.0)
        scales.append(ScaleOrApps(dpr));
    for (const char *suffix : {"_32", "_16"}) {
        const QString path = FindImageResource(QStringLiteral(":/icons"), name + QLatin1String(suffix));
        for (const qreal scale : scales) {
            if (!path.isEmpty())
                icon.addPixmap(QPixmap::fromImage(RenderPicture(path, QPalette(), scale)));
        }
    }
    return icon;
}

std::optional<QPoint> XpmHotSpot(const QByteArray &xpm)
{
    // The first string after the opening brace: "width height colours chars [x y]".
    static const QRegularExpression values(QStringLiteral("\\{[^\"]*\"([^\"]*)\""));
    const QRegularExpressionMatch match = values.match(QString::fromLatin1(xpm));
    if (!match.hasMatch())
        return std::nullopt;
    const QStringList fields = match.captured(1).split(QLatin1Char(' '), Qt::SkipEmptyParts);
    if (fields.size() < 6)
        return std::nullopt;
    bool okX = false;
    bool okY = false;
    const QPoint spot(fields.at(4).toInt(&okX), fields.at(5).toInt(&okY));
    if (!okX || !okY)
        return std::nullopt;
    return spot;
}

std::optional<QCursor> LoadCursorResource(const QString &name)
{
    const QString path = FindImageResource(QStringLiteral(":/cursors"), name);
    if (path.isEmpty())
        return std::nullopt;
    const QPixmap image = QPixmap::fromImage(ReadImage(path));
    if (image.isNull())
        return std::nullopt;
    QFile file(path);
    const QByteArray text = file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    const QPoint spot = XpmHotSpot(text).value_or(QPoint(0, 0));
    return QCursor(image, spot.x(), spot.y());
}
