#include "platform/CDialog.h"

#include "platform/CDataExchange.h"
#include "platform/CWinApp.h"
#include "platform/DlgItemText.h"
#include "platform/QuitRequest.h"
#include "platform/WinTypes.h"

#include <QKeyEvent>
#include <QLineEdit>

CDialog::CDialog(const DialogTemplate &tmpl, QWidget *parent)
    : QDialog(parent)
    , m_template(tmpl)
    , m_notifier([this] { return IsExchangingData() || m_destroying; })
{
    m_notifier.SetClickFallback([this](int id) { DispatchUnhandledClick(id); });
}

// The controls go first, with their notifications locked out: the handlers
// may belong to a subclass that is already gone.
CDialog::~CDialog()
{
    m_destroying = true;
    qDeleteAll(findChildren<QWidget *>(Qt::FindDirectChildrenOnly));
}

void CDialog::CreateControls()
{
    if (m_built)
        return;
    m_built = true;
    m_controls = DialogBuilder::Build(*this, m_template);
    for (auto it = m_controls.byId.cbegin(); it != m_controls.byId.cend(); ++it)
        m_notifier.Attach(it.key(), it.value());
}

int CDialog::DoModal()
{
    AdoptMainWindowAsOwner();
    CreateControls();
    m_ended = false;
    setResult(0);
    if (OnInitDialog())
        FocusFirstTabStop();
    const int result = m_ended ? this->result() : RunModalLoop();
    PostNcDestroy();
    return result;
}

int CDialog::RunModalLoop()
{
    QuitRequest::EnterModalLoop();
    exec();
    QuitRequest::LeaveModalLoop();
    if (m_ended)
        return result();
    hide(); // ended by the quit request: the window goes all the same
    return 0;
}

// A dialog made without a parent is owned by the application's main window.
void CDialog::AdoptMainWindowAsOwner()
{
    CWinApp *app = CWinApp::AfxGetApp();
    QWidget *main = app ? app->m_pMainWnd : nullptr;
    if (parentWidget() || !main || main == this || !main->isVisible())
        return;
    setParent(main, windowFlags());
}

void CDialog::FocusFirstTabStop()
{
    for (QWidget *control : std::as_const(m_controls.inOrder)) {
        if (control->focusPolicy() != Qt::NoFocus && control->isEnabled() && !control->isHidden()) {
            control->setFocus(Qt::TabFocusReason);
            SelectAllFromStart(control);
            return;
        }
    }
}

// A field reached by Tab has its text selected; the caret stays at the
// start, so a long text still shows its beginning.
void CDialog::SelectAllFromStart(QWidget *control)
{
    if (auto *line = qobject_cast<QLineEdit *>(control))
        line->setSelection(int(line->text().size()), -int(line->text().size()));
}

void CDialog::EndDialog(int result)
{
    m_ended = true;
    done(result);
}

bool CDialog::UpdateData(bool bSaveAndValidate)
{
    if (!m_built)
        return false;
    ++m_exchangeDepth;
    CDataExchange dx(this, bSaveAndValidate);
    DoDataExchange(&dx);
    --m_exchangeDepth;
    return true;
}

QWidget *CDialog::GetDlgItem(int id) const
{
    return m_controls.byId.value(id, nullptr);
}

QString CDialog::GetDlgItemText(int id) const
{
    return ControlText(GetDlgItem(id));
}

void CDialog::SetDlgItemText(int id, const QString &text)
{
    if (QWidget *control = GetDlgItem(id))
        SetControlText(control, text);
}

bool CDialog::SubclassDlgItem(int id, QWidget *control)
{
    if (!DialogBuilder::ReplaceControl(m_controls, id, control))
        return false;
    m_notifier.Attach(id, control);
    return true;
}

void CDialog::OnClicked(int id, std::function<void()> handler)
{
    m_notifier.AddClicked(id, std::move(handler));
}

void CDialog::OnChange(int id, std::function<void()> handler)
{
    m_notifier.AddChanged(id, std::move(handler));
}

void CDialog::accept()
{
    OnOK();
}

void CDialog::reject()
{
    OnCancel();
}

bool CDialog::OnInitDialog()
{
    UpdateData(false);
    return true;
}

void CDialog::OnOK()
{
    UpdateData(true);
    EndDialog(IDOK);
}

void CDialog::OnCancel()
{
    EndDialog(IDCANCEL);
}

void CDialog::DoDataExchange(CDataExchange *)
{
}

void CDialog::PostNcDestroy()
{
}

void CDialog::keyPressEvent(QKeyEvent *event)
{
    CWinApp *app = CWinApp::AfxGetApp();
    if (app && event->matches(QKeySequence::HelpContents)) {
        app->OnCmdMsg(ID_HELP);
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

void CDialog::DispatchUnhandledClick(int id)
{
    if (id == IDOK)
        OnOK();
    else if (id == IDCANCEL)
        OnCancel();
}
