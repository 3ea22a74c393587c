#include "platform/Resources.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QImageReader>
#include <QRegularExpression>

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

QImage MapSysColors(const QImage &picture, const QPalette &palette)
{
    const std::pair<QRgb, QPalette::ColorRole> fixed[] = {
        {qRgb(0xC0, 0xC0, 0xC0), QPalette::Button},
        {qRgb(0x80, 0x80, 0x80), QPalette::Dark},
        {qRgb(0xDF, 0xDF, 0xDF), QPalette::Light},
    };
    QImage image = picture.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < image.height(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            for (const auto &[grey, role] : fixed) {
                if (line[x] == grey) {
                    line[x] = palette.color(role).rgba();
                    break;
                }
            }
        }
    }
    return image;
}

QPixmap LoadBitmapResource(const QString &name, const QPalette &palette)
{
    const QString path = FindImageResource(QStringLiteral(":/bitmaps"), name);
    return path.isEmpty() ? QPixmap() : QPixmap::fromImage(MapSysColors(ReadImage(path), palette));
}

QIcon LoadIconResource(const QString &name)
{
    QIcon icon;
    for (const char *suffix : {"_32", "_16"}) {
        const QString path = FindImageResource(QStringLiteral(":/icons"), name + QLatin1String(suffix));
        if (!path.isEmpty())
            icon.addPixmap(QPixmap::fromImage(ReadImage(path)));
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
