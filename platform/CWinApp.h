#pragma once

#include <QString>

#include <memory>

class QEvent;
class QObject;
class QWidget;

// The base of the application object. There is one, made before the
// QApplication; once that exists, InstallMessageFilter lets the object see
// every event of the program first (ProcessMessageFilter).
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

    QWidget *m_pMainWnd = nullptr;
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
