#include "app/CLumeraApp.h"

#include "platform/CToolTipCtrl.h"
#include "platform/Resources.h"
#include "ui/main/CLumeraDlg.h"

#include <QApplication>
#include <QWidget>

CLumeraApp theApp;

CLumeraApp::CLumeraApp() = default;

bool CLumeraApp::InitInstance()
{
    m_bCzech = 0;
    Enable3dControls();
    // Every window carries the program's icon, the message boxes shown before
    // the main window exists included.
    QApplication::setWindowIcon(LoadIconResource(QStringLiteral("IDR_MAINFRAME")));
    CLumeraDlg dlg;
    m_pMainWnd = &dlg;
    dlg.DoModal();
    m_pMainWnd = nullptr;
    return false;
}

bool CLumeraApp::ProcessMessageFilter(QObject *watched, QEvent *event)
{
    if (m_hwndToolDialog && m_pToolTip && watched->isWidgetType()) {
        auto *widget = static_cast<QWidget *>(watched);
        if (widget == m_hwndToolDialog || m_hwndToolDialog->isAncestorOf(widget))
            m_pToolTip->RelayEvent(watched, event);
    }
    return CWinApp::ProcessMessageFilter(watched, event);
}
