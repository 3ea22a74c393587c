// Draws an SVG picture into a PNG file at a given size:
//     render_picture PICTURE.svg SIZE FILE.png
// SIZE is the picture's width in pixels; the height follows its shape.
// The build makes the desktop's icons with it.
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>

int main(int argc, char *argv[])
{
    QGuiApplication app(argc, argv);
    if (argc != 4)
        return 2;
    QSvgRenderer svg(QString::fromLocal8Bit(argv[1]));
    bool ok = false;
    const int width = QString::fromLatin1(argv[2]).toInt(&ok);
    if (!svg.isValid() || !ok || width <= 0)
        return 2;
    const QSizeF shape = svg.viewBoxF().size();
    QImage image(QSize(width, qRound(width * shape.height() / shape.width())), QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    svg.render(&painter);
    painter.end();
    return image.save(QString::fromLocal8Bit(argv[3]), "PNG") ? 0 : 1;
}
