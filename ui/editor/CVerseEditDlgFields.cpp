// The editor's fields: showing a verse, storing every edit, refusing input.
#include "platform/DlgItemText.h"
#include "platform/MessageBeep.h"
#include "platform/WinTypes.h"
#include "res/Resource.h"
#include "ui/editor/CVerseEditDlg.h"
#include "ui/editor/EditorTexts.h"
#include "ui/editor/FieldText.h"
#include "ui/main/DisplayText.h"

#include <QScopedValueRollback>

namespace {

constexpr int kFields[] = {IDC_TITLE, IDC_NUMBER, IDC_CONTENTS};

} // namespace

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
    const VerseFields stored = StoredVerse(nIndex);
    const QString *texts[] = {&stored.title, &stored.number, &stored.contents};
    for (int i = 0; i < 3; ++i)
        m_cutShort[i] = texts[i]->size() > kMaxShownChars;
    const VerseFields shown = Shown(stored);
    m_strTitle = shown.title;
    m_strNumber = shown.number;
    m_strContents = shown.contents;
    UpdateData(false);
    for (int i = 0; i < 3; ++i) {
        QWidget *field = GetDlgItem(kFields[i]);
        if (field->property("readOnly").toBool() != m_cutShort[i])
            field->setProperty("readOnly", m_cutShort[i]);
    }
}

// A text too long to edit smoothly is shown cut, and its field is read-only:
// laying out megabytes again on every keystroke would stall the editor for
// seconds. The stored text is never replaced by the cut one.
VerseFields CVerseEditDlg::Shown(const VerseFields &stored)
{
    return {ForDisplay(stored.title), ForDisplay(stored.number), ForDisplay(stored.contents)};
}

VerseFields CVerseEditDlg::StoredVerse(int index) const
{
    return {m_encoding.Decode(m_pTitles->at(index)), m_encoding.Decode(m_pNumbers->at(index)),
            m_encoding.Decode(m_pContents->at(index))};
}

// Costs one verse: the three fields are read, encoded and assigned to their
// elements in place; a field shown cut keeps its element. With no current
// verse (an empty list, or the only verse deleted) there is no element to
// store into, so every change is refused.
void CVerseEditDlg::StoreCurrent()
{
    if (m_puttingBack)
        return;
    if (!HasVerse()) {
        RefuseInput();
        return;
    }
    UpdateData(true);
    const VerseFields typed{m_strTitle, m_strNumber, m_strContents};
    const VerseFields fields = JoinOneLineFields(typed);
    VerseFields uncut = fields;
    QString *texts[] = {&uncut.title, &uncut.number, &uncut.contents};
    for (int i = 0; i < 3; ++i) {
        if (m_cutShort[i])
            texts[i]->clear();
    }
    std::optional<VerseBytes> bytes = EncodeForFile(uncut, m_encoding);
    if (!bytes) {
        RefuseInput();
        return;
    }
    if (fields != typed) {
        m_strTitle = fields.title;
        m_strNumber = fields.number;
        PutBackFields(fields);
    }
    QList<QByteArray> *arrays[] = {m_pTitles, m_pNumbers, m_pContents};
    QByteArray *encoded[] = {&bytes->title, &bytes->number, &bytes->contents};
    for (int i = 0; i < 3; ++i) {
        if (!m_cutShort[i])
            (*arrays[i])[m_nCurrent] = std::move(*encoded[i]);
    }
    ForgetSearch();
}

// Input refused: a beep, and the fields go back to what they showed; the
// list stays as it was.
void CVerseEditDlg::RefuseInput()
{
    MessageBeep(MB_OK);
    if (HasVerse()) {
        const VerseFields shown = Shown(StoredVerse(m_nCurrent));
        m_strTitle = shown.title;
        m_strNumber = shown.number;
        m_strContents = shown.contents;
    }
    PutBackFields({m_strTitle, m_strNumber, m_strContents});
}

// Rewrites only the fields that differ, so the others keep their caret and
// undo history.
void CVerseEditDlg::PutBackFields(const VerseFields &fields)
{
    const QScopedValueRollback guard(m_puttingBack, true);
    const QString *texts[] = {&fields.title, &fields.number, &fields.contents};
    for (int i = 0; i < 3; ++i) {
        QWidget *field = GetDlgItem(kFields[i]);
        if (field && ControlText(field) != *texts[i])
            ReplaceFieldText(field, *texts[i]);
    }
}
