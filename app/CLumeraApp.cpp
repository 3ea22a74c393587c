#include "app/CLumeraApp.h"

#include "platform/Resources.h"
#include "res/Version.h"
#include "ui/main/CLumeraDlg.h"

#include <QApplication>

#include <cstdlib>

CLumeraApp theApp;

namespace {

CLumeraDlg *s_mainDialog = nullptr;

// Runs when the process ends by exit() while the main dialog still runs (the
// window system went away): the edits are kept, though nothing can be asked.
void KeepEditsAtExit()
{
    if (s_mainDialog)
        s_mainDialog->KeepUnsavedEdits();
}

} // namespace

CLumeraApp::CLumeraApp()
{
    m_pszAppId = QStringLiteral(LUMERA_APP_ID);
    m_pszHelpFilePath = QStringLiteral(LUMERA_HELP_FROM_BIN);
}

bool CLumeraApp::InitInstance()
{
    m_bCzech = 0;
    Enable3dControls();
    // Every window carries the program's icon, the message boxes shown before
    // the main window exists included.
    QApplication::setWindowIcon(LoadIconResource(QStringLiteral("IDR_MAINFRAME")));
    static const bool atExit = std::atexit(&KeepEditsAtExit) == 0;
    Q_UNUSED(atExit);
    CLumeraDlg dlg;
    m_pMainWnd = &dlg;
    s_mainDialog = &dlg;
    dlg.DoModal();
    s_mainDialog = nullptr;
    m_pMainWnd = nullptr;
    return false;
}

bool CLumeraApp::ProcessMessageFilter(QObject *watched, QEvent *event)
{
    RelayToolTipEvent(watched, event);
    return CWinApp::ProcessMessageFilter(watched, event);
}
