// The editor's button commands: moves, add and delete.
#include "platform/MessageBox.h"
#include "ui/editor/CVerseEditDlg.h"
#include "ui/editor/EditorTexts.h"

// No move wraps around; with an empty list every move stays at -1.
void CVerseEditDlg::MoveTo(int index)
{
    m_nCurrent = m_nVerseCount > 0 ? qBound(0, index, m_nVerseCount - 1) : -1;
    ShowVerse(m_nCurrent);
}

void CVerseEditDlg::OnFirst()
{
    MoveTo(0);
}

void CVerseEditDlg::OnPrev()
{
    MoveTo(m_nCurrent - 1);
}

void CVerseEditDlg::OnNext()
{
    MoveTo(m_nCurrent + 1);
}

void CVerseEditDlg::OnLast()
{
    MoveTo(m_nVerseCount - 1);
}

// The new, empty verse always goes to the end of the list.
void CVerseEditDlg::OnNew()
{
    m_pTitles->append(QByteArray());
    m_pNumbers->append(QByteArray());
    m_pContents->append(QByteArray());
    ++m_nVerseCount;
    m_nCurrent = m_nVerseCount - 1;
    ForgetSearch();
    ShowVerse(m_nCurrent);
}

// After the delete the verse that followed takes the index; when the last
// verse went, the new last one is shown. Deleting the only verse leaves the
// fields showing its text, with the counter "0/0".
void CVerseEditDlg::OnDelete()
{
    if (!HasVerse())
        return;
    if (AfxMessageBox(DeleteQuestion(m_bCzech), MB_YESNO | MB_ICONQUESTION) != IDYES)
        return;
    m_pTitles->removeAt(m_nCurrent);
    m_pNumbers->removeAt(m_nCurrent);
    m_pContents->removeAt(m_nCurrent);
    --m_nVerseCount;
    ForgetSearch();
    if (m_nVerseCount == 0)
        m_nCurrent = -1;
    if (m_nCurrent >= m_nVerseCount)
        m_nCurrent = m_nVerseCount - 1;
    ShowVerse(m_nCurrent);
}
