#include "app/CLumeraApp.h"
#include "res/Version.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationVersion(QStringLiteral(LUMERA_FILE_VERSION));
    theApp.InstallMessageFilter();
    theApp.InitInstance();
    return 0;
}
