#pragma once

#include <QString>

#include <memory>

class CToolTipCtrl;
class QEvent;
class QObject;
class QWidget;

// The base of the application object. There is one, made before the
// QApplication; once that exists, InstallMessageFilter lets the object see
// every event of the program first (ProcessMessageFilter). It also holds
// what the dialogs share through it: the language of their messages, and the
// dialog whose events feed a tooltip control.
class CWinApp
{
public:
    CWinApp();
    virtual ~CWinApp();
    CWinApp(const CWinApp &) = delete;
    CWinApp &operator=(const CWinApp &) = delete;

    // The application object, or null before it is made.
    static CWinApp *AfxGetApp();

    // Once the QApplication exists and before InitInstance: names the
    // desktop entry the program's windows belong to (m_pszAppId) and makes
    // a relative m_pszHelpFilePath relative to the program's own folder.
    virtual bool InitApplication();
    virtual bool InitInstance();
    // Sees each event before its receiver; true consumes it.
    virtual bool ProcessMessageFilter(QObject *watched, QEvent *event);

    // Installs the filter on the QApplication (once; needs the QApplication).
    void InstallMessageFilter();

    // The three-dimensional control look: the desktop always has it.
    void Enable3dControls() { }

    // A command sent to the application (ID_HELP); false when it has none
    // for that id.
    virtual bool OnCmdMsg(unsigned nID);
    // The help command: opens the help page through the desktop; where
    // that cannot be done, a message says where the help is.
    void OnHelp();

    // Hands m_pToolTip the event when it is one of m_hwndToolDialog's or of
    // a window inside it; nothing while either is null.
    void RelayToolTipEvent(QObject *watched, QEvent *event) const;

    QWidget *m_pMainWnd = nullptr;
    // 0: English messages; nonzero: Czech.
    int m_bCzech = 0;
    // The window whose events feed m_pToolTip (an open dialog), or null.
    QWidget *m_hwndToolDialog = nullptr;
    // That dialog's tooltip control, not owned here; null while none is open.
    CToolTipCtrl *m_pToolTip = nullptr;
    // The desktop entry's name without ".desktop" (on Wayland, the app id).
    QString m_pszAppId;
    // The help page; a relative path starts at the program's folder.
    QString m_pszHelpFilePath;

private:
    static CWinApp *s_app;
    std::unique_ptr<QObject> m_filter;
};

inline CWinApp *AfxGetApp()
{
    return CWinApp::AfxGetApp();
}
