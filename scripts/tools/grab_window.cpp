// Saves an X window, as the X server shows it, to a PNG file:
//     grab_window WINDOW-ID FILE.png
#include <QGuiApplication>
#include <QPixmap>
#include <QScreen>

int main(int argc, char *argv[])
{
    QGuiApplication app(argc, argv);
    if (argc != 3)
        return 2;
    bool ok = false;
    const WId window = QString::fromLatin1(argv[1]).toULongLong(&ok, 0);
    QScreen *screen = QGuiApplication::primaryScreen();
    if (!ok || !screen)
        return 2;
    const QPixmap shot = screen->grabWindow(window);
    return !shot.isNull() && shot.save(QString::fromLocal8Bit(argv[2]), "PNG") ? 0 : 1;
}
