#include "platform/CWinApp.h"

#include "platform/CToolTipCtrl.h"
#include "platform/MessageBox.h"
#include "platform/UrlOpener.h"
#include "platform/WinTypes.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
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

// Where the help is, for a user whose desktop could not show it.
QString HelpLocationText(const QFileInfo &page)
{
    const QString program = QCoreApplication::applicationName();
    const QString manual =
        QStringLiteral("\n\nThe manual page holds the same help: type \"man %1\" in a terminal.").arg(program);
    if (!page.isFile())
        return QStringLiteral("The help page of %1 is missing: it should be\n%2").arg(program, page.filePath())
               + manual;
    return QStringLiteral(
               "No program was found to show the help of %1. It is the page\n%2\nwhich any web browser shows.")
               .arg(program, page.filePath())
           + manual;
}

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

bool CWinApp::InitApplication()
{
    if (!m_pszAppId.isEmpty())
        QGuiApplication::setDesktopFileName(m_pszAppId);
    if (!m_pszHelpFilePath.isEmpty() && QDir::isRelativePath(m_pszHelpFilePath))
        m_pszHelpFilePath =
            QDir::cleanPath(QCoreApplication::applicationDirPath() + QLatin1Char('/') + m_pszHelpFilePath);
    return true;
}

bool CWinApp::OnCmdMsg(unsigned nID)
{
    if (nID != ID_HELP)
        return false;
    OnHelp();
    return true;
}

void CWinApp::OnHelp()
{
    const QFileInfo page(m_pszHelpFilePath);
    if (page.isFile() && ShellOpenUrl(QUrl::fromLocalFile(page.absoluteFilePath())))
        return;
    AfxMessageBox(HelpLocationText(page), MB_OK | MB_ICONINFORMATION);
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
