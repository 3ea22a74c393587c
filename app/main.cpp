#include "app/CLumeraApp.h"
#include "data/Settings.h"
#include "data/VersePrefetch.h"
#include "platform/EndRequests.h"
#include "res/Version.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    // The verse file is read while the window system starts.
    VersePrefetch::Start(QString::fromLatin1(Settings::kFileName));
    QApplication app(argc, argv);
    QApplication::setApplicationVersion(QStringLiteral(LUMERA_FILE_VERSION));
    theApp.InitApplication();
    theApp.InstallMessageFilter();
    EndRequests::Install();
    theApp.InitInstance();
    return 0;
}
