// The program's start-up, ended as soon as the first verse is on screen.
// Run by bench_startup in a folder holding a Lumera.ini and a verse file;
// writes "shown" to its output at that moment.
#include "app/CLumeraApp.h"
#include "data/Settings.h"
#include "data/VersePrefetch.h"
#include "platform/WinTypes.h"
#include "res/Resource.h"
#include "ui/main/CLumeraDlg.h"

#include <QApplication>
#include <QTimer>

#include <cstdio>

int main(int argc, char *argv[])
{
    VersePrefetch::Start(QString::fromLatin1(Settings::kFileName));
    QApplication app(argc, argv);
    theApp.InstallMessageFilter();
    CLumeraDlg dlg;
    theApp.m_pMainWnd = &dlg;
    bool shown = false;
    // Runs once the modal loop has shown the window.
    QTimer::singleShot(0, &dlg, [&] {
        shown = dlg.isVisible() && !dlg.GetDlgItemText(IDC_TITLE).isEmpty();
        if (shown) {
            std::fputs("shown\n", stdout);
            std::fflush(stdout);
        }
        dlg.EndDialog(IDOK);
    });
    dlg.DoModal();
    return shown ? 0 : 1;
}
