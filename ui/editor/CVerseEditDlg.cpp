#include "ui/editor/CVerseEditDlg.h"

#include "app/CLumeraApp.h"
#include "platform/CBitmapButton.h"
#include "platform/CDataExchange.h"
#include "platform/CToolTipCtrl.h"
#include "platform/DlgItemText.h"
#include "platform/MessageBeep.h"
#include "platform/WinTypes.h"
#include "res/DialogTemplates.h"
#include "res/Resource.h"
#include "ui/editor/EditorTexts.h"
#include "ui/editor/FieldText.h"

#include <QScopedValueRollback>

CVerseEditDlg::CVerseEditDlg(QWidget *pParent)
    : CDialog(LoadDialogTemplate(IDD_VERSE_EDITOR), pParent)
    , m_bCzech(theApp.m_bCzech)
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
    if (theApp.m_pToolTip == m_pToolTip)
        theApp.m_pToolTip = nullptr;
    if (theApp.m_hwndToolDialog == this)
        theApp.m_hwndToolDialog = nullptr;
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
    return {{{IDC_FIRST, m_btnFirst}, {IDC_PREV, m_btnPrev}, {IDC_NEXT, m_btnNext},
             {IDC_LAST, m_btnLast}, {IDC_NEW, m_btnNew}, {IDC_DELETE, m_btnDelete}}};
}

bool CVerseEditDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    for (const auto &[id, button] : Buttons()) {
        if (button)
            button->AutoLoad(id, this);
    }
    if (!m_pToolTip)
        CreateToolTips();
    // Both, on every opening: PostNcDestroy cleared them after a previous run.
    theApp.m_pToolTip = m_pToolTip;
    theApp.m_hwndToolDialog = this;
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

// Runs once the window is gone: from here on nothing is relayed to the tips.
void CVerseEditDlg::PostNcDestroy()
{
    CDialog::PostNcDestroy();
    theApp.m_pToolTip = nullptr;
    theApp.m_hwndToolDialog = nullptr;
}

bool CVerseEditDlg::HasVerse() const
{
    return m_nCurrent >= 0 && m_nCurrent < m_nVerseCount;
}

void CVerseEditDlg::ShowVerse(int nIndex)
{
    SetDlgItemText(IDC_COUNTER, CounterText(m_nCurrent, m_nVerseCount));
    GetDlgItem(IDC_COUNTER)->setAccessibleName(CounterSpoken(m_nCurrent, m_nVerseCount, m_bCzech));
    if (nIndex < 0 || nIndex >= m_nVerseCount)
        return;
    const VerseFields verse = StoredVerse(nIndex);
    m_strTitle = verse.title;
    m_strNumber = verse.number;
    m_strContents = verse.contents;
    UpdateData(false);
}

VerseFields CVerseEditDlg::StoredVerse(int index) const
{
    return {m_encoding.Decode(m_pTitles->at(index)), m_encoding.Decode(m_pNumbers->at(index)),
            m_encoding.Decode(m_pContents->at(index))};
}

// Costs one verse: the three fields are read, encoded and assigned to their
// elements in place. With an empty list there is no element to store into.
void CVerseEditDlg::StoreCurrent()
{
    if (m_bPuttingBack || !HasVerse())
        return;
    UpdateData(true);
    const VerseFields typed{m_strTitle, m_strNumber, m_strContents};
    const VerseFields fields = JoinOneLineFields(typed);
    std::optional<VerseBytes> bytes = EncodeForFile(fields, m_encoding);
    if (!bytes) {
        RefuseInput();
        return;
    }
    if (fields != typed) {
        m_strTitle = fields.title;
        m_strNumber = fields.number;
        PutBackFields(fields);
    }
    (*m_pTitles)[m_nCurrent] = std::move(bytes->title);
    (*m_pNumbers)[m_nCurrent] = std::move(bytes->number);
    (*m_pContents)[m_nCurrent] = std::move(bytes->contents);
}

// Input the verse file could not hold: a beep, and the fields go back to the
// stored verse, which stays as it was.
void CVerseEditDlg::RefuseInput()
{
    MessageBeep(MB_OK);
    const VerseFields stored = StoredVerse(m_nCurrent);
    m_strTitle = stored.title;
    m_strNumber = stored.number;
    m_strContents = stored.contents;
    PutBackFields(stored);
}

// Rewrites only the fields that differ, so the others keep their caret and
// undo history.
void CVerseEditDlg::PutBackFields(const VerseFields &fields)
{
    const QScopedValueRollback guard(m_bPuttingBack, true);
    const std::pair<int, const QString *> texts[] = {
        {IDC_TITLE, &fields.title}, {IDC_NUMBER, &fields.number}, {IDC_CONTENTS, &fields.contents}};
    for (const auto &[id, text] : texts) {
        QWidget *field = GetDlgItem(id);
        if (field && ControlText(field) != *text)
            ReplaceFieldText(field, *text);
    }
}
