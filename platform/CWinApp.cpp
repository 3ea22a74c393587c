#include "platform/CWinApp.h"

#include "platform/CToolTipCtrl.h"

#include <QCoreApplication>
#include <QObject>
#include <QWidget>

namespace {

// Hands every event of the application to the application object.
class MessageFilter : public QObject
{
public:
    explicit MessageFilter(CWinApp *app)
        : m_app(app)
    {
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override { return m_app->ProcessMessageFilter(watched, event); }

private:
    CWinApp *m_app;
};

} // namespace

CWinApp *CWinApp::s_app = nullptr;

CWinApp::CWinApp()
{
    s_app = this;
}

CWinApp::~CWinApp()
{
    if (m_filter && QCoreApplication::instance())
        QCoreApplication::instance()->removeEventFilter(m_filter.get());
    if (s_app == this)
        s_app = nullptr;
}

CWinApp *CWinApp::AfxGetApp()
{
    return s_app;
}

bool CWinApp::InitInstance()
{
    return true;
}

bool CWinApp::ProcessMessageFilter(QObject *, QEvent *)
{
    return false;
}

void CWinApp::InstallMessageFilter()
{
    if (m_filter || !QCoreApplication::instance())
        return;
    m_filter = std::make_unique<MessageFilter>(this);
    QCoreApplication::instance()->installEventFilter(m_filter.get());
}

void CWinApp::RelayToolTipEvent(QObject *watched, QEvent *event) const
{
    if (!m_hwndToolDialog || !m_pToolTip || !watched->isWidgetType())
        return;
    auto *widget = static_cast<QWidget *>(watched);
    if (widget == m_hwndToolDialog || m_hwndToolDialog->isAncestorOf(widget))
        m_pToolTip->RelayEvent(watched, event);
}
