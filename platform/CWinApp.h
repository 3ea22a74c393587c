#pragma once

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

    virtual bool InitInstance();
    // Sees each event before its receiver; true consumes it.
    virtual bool ProcessMessageFilter(QObject *watched, QEvent *event);

    // Installs the filter on the QApplication (once; needs the QApplication).
    void InstallMessageFilter();

    // The three-dimensional control look: the desktop always has it.
    void Enable3dControls() { }

    QWidget *m_pMainWnd = nullptr;

private:
    static CWinApp *s_app;
    std::unique_ptr<QObject> m_filter;
};

inline CWinApp *AfxGetApp()
{
    return CWinApp::AfxGetApp();
}
