// The save-error box for verse-file names of growing length, from building
// the message to the box shown and laid out. A long name is shortened, so the
// box must show within 0.1 s and stay within 600 px in height. Exits
// non-zero when missed.
#include "data/ErrorMessages.h"
#include "platform/MessageBox.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTimer>
#include <QWidget>

#include <cerrno>
#include <cstdio>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    bool ok = true;
    for (const qsizetype length : {10, 1000, 100 * 1000, 1000 * 1000, 50 * 1000 * 1000}) {
        const QString name = QString(length, QLatin1Char('v')) + QStringLiteral(".niv");
        QElapsedTimer timer;
        timer.start();
        QSize size;
        double shownMs = 0;
        QTimer::singleShot(0, &app, [&] {
            QWidget *box = QApplication::activeModalWidget();
            shownMs = timer.nsecsElapsed() / 1e6;
            size = box ? box->size() : QSize();
            if (box)
                box->close();
        });
        MessageBoxSeam::ShowModal({ErrorMessages::CantSaveVerseFile(false, name, FileError::FromErrno(ENOSPC)),
                                   QStringLiteral("Lumera"), MB_RETRYCANCEL | MB_ICONSTOP, nullptr});
        const bool met = shownMs < 100 && size.isValid() && size.height() <= 600;
        std::printf("name of %10lld characters: box shown in %8.2f ms, %4d x %4d px  %s\n", (long long)length, shownMs,
                    size.width(), size.height(), met ? "ok" : "MISSED");
        ok = ok && met;
    }
    return ok ? 0 : 1;
}
