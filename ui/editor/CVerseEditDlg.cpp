#include "ui/editor/CVerseEditDlg.h"

#include "data/VerseSearch.h"
#include "platform/CBitmapButton.h"
#include "platform/CDataExchange.h"
#include "platform/CToolTipCtrl.h"
#include "platform/CWinApp.h"
#include "platform/WinTypes.h"
#include "res/DialogTemplates.h"
#include "res/Resource.h"
#include "ui/editor/EditorTexts.h"

#include <QLabel>

CVerseEditDlg::CVerseEditDlg(QWidget *pParent)
    : CDialog(LoadDialogTemplate(IDD_VERSE_EDITOR), pParent)
    , m_bCzech(AfxGetApp()->m_bCzech)
{
    OnClicked(IDC_FIRST, [this] { OnFirst(); });
    OnClicked(IDC_PREV, [this] { OnPrev(); });
    OnClicked(IDC_NEXT, [this] { OnNext(); });
    OnClicked(IDC_LAST, [this] { OnLast(); });
    OnClicked(IDC_NEW, [this] { OnNew(); });
    OnClicked(IDC_DELETE, [this] { OnDelete(); });
    for (int id : {IDC_TITLE, IDC_NUMBER, IDC_CONTENTS})
        OnChange(id, [this] { StoreCurrent(); });
}

// The application object must never keep a pointer to the deleted tooltip.
CVerseEditDlg::~CVerseEditDlg()
{
    CWinApp *app = AfxGetApp();
    if (app->m_pToolTip == m_pToolTip)
        app->m_pToolTip = nullptr;
    if (app->m_hwndToolDialog == this)
        app->m_hwndToolDialog = nullptr;
    delete m_pToolTip;
}

void CVerseEditDlg::DoDataExchange(CDataExchange *pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_FIRST, m_btnFirst);
    DDX_Control(pDX, IDC_PREV, m_btnPrev);
    DDX_Control(pDX, IDC_NEXT, m_btnNext);
    DDX_Control(pDX, IDC_LAST, m_btnLast);
    DDX_Control(pDX, IDC_NEW, m_btnNew);
    DDX_Control(pDX, IDC_DELETE, m_btnDelete);
    DDX_Text(pDX, IDC_TITLE, m_strTitle);
    DDX_Text(pDX, IDC_NUMBER, m_strNumber);
    DDX_Text(pDX, IDC_CONTENTS, m_strContents);
}

std::array<std::pair<int, CBitmapButton *>, 6> CVerseEditDlg::Buttons() const
{
    return {{{IDC_FIRST, m_btnFirst},
             {IDC_PREV, m_btnPrev},
             {IDC_NEXT, m_btnNext},
             {IDC_LAST, m_btnLast},
             {IDC_NEW, m_btnNew},
             {IDC_DELETE, m_btnDelete}}};
}

bool CVerseEditDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    for (const auto &[id, button] : Buttons()) {
        if (button)
            button->AutoLoad(id, this);
    }
    PlaceCounter();
    CreateFindCommands();
    if (!m_pToolTip)
        CreateToolTips();
    // Both, on every opening: PostNcDestroy cleared them after a previous run.
    AfxGetApp()->m_pToolTip = m_pToolTip;
    AfxGetApp()->m_hwndToolDialog = this;
    // The caller hands a valid index, or -1 for an empty list; any other
    // value is brought into range rather than read outside the arrays.
    m_nCurrent = m_nVerseCount > 0 ? qBound(0, m_nCurrent, m_nVerseCount - 1) : -1;
    ShowVerse(m_nCurrent);
    return true;
}

void CVerseEditDlg::CreateToolTips()
{
    m_pToolTip = new CToolTipCtrl;
    m_pToolTip->Create(this);
    for (const auto &[id, button] : Buttons())
        m_pToolTip->AddTool(button, ToolTipText(id, m_bCzech));
    m_pToolTip->Activate(true);
}

// The counter takes the room between Delete and Exit, centred on the
// buttons' line, so a six-digit count fits with any usual desktop font.
void CVerseEditDlg::PlaceCounter()
{
    auto *counter = qobject_cast<QLabel *>(GetDlgItem(IDC_COUNTER));
    QWidget *exit = GetDlgItem(IDOK);
    if (!counter || !exit || !m_btnDelete)
        return;
    const QRect left = m_btnDelete->geometry();
    const int gap = counter->fontMetrics().averageCharWidth() / 2;
    counter->setGeometry(
        QRect(QPoint(left.right() + 1 + gap, left.top()), QPoint(exit->geometry().left() - 1 - gap, left.bottom())));
    counter->setAlignment(Qt::AlignCenter);
}

// Runs once the window is gone: from here on nothing is relayed to the tips.
void CVerseEditDlg::PostNcDestroy()
{
    CDialog::PostNcDestroy();
    AfxGetApp()->m_pToolTip = nullptr;
    AfxGetApp()->m_hwndToolDialog = nullptr;
}
