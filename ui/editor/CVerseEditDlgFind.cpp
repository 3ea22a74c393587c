// The editor's find: Ctrl+F opens the find box; F3 and Shift+F3, here or in
// the box, show the next or the previous verse holding its words, through
// the same path as the move buttons.
#include "data/VerseSearch.h"
#include "platform/MessageBeep.h"
#include "platform/WinTypes.h"
#include "ui/editor/CVerseEditDlg.h"
#include "ui/editor/FindBox.h"

#include <QAction>

void CVerseEditDlg::CreateFindCommands()
{
    const std::pair<QKeySequence::StandardKey, std::function<void()>> commands[] = {
        {QKeySequence::Find, [this] { OpenFindBox(); }},
        {QKeySequence::FindNext, [this] { FindVerse(true); }},
        {QKeySequence::FindPrevious, [this] { FindVerse(false); }},
    };
    for (const auto &[keys, command] : commands) {
        auto *action = new QAction(this);
        action->setShortcut(keys);
        connect(action, &QAction::triggered, this, command);
        addAction(action);
    }
}

void CVerseEditDlg::OpenFindBox()
{
    if (!m_findBox) {
        m_findBox = new FindBox(this);
        connect(m_findBox, &FindBox::Find, this, &CVerseEditDlg::FindVerse);
    }
    m_findBox->Present();
}

// Nothing found: a beep and a word in the box, and the editor stays where it
// was.
void CVerseEditDlg::FindVerse(bool forward)
{
    if (!m_findBox || m_findBox->Words().isEmpty()) {
        OpenFindBox();
        return;
    }
    if (!m_search)
        m_search = std::make_unique<VerseSearch>(m_pTitles, m_pNumbers, m_pContents, m_encoding);
    const int found = m_search->Find(m_findBox->Words(), m_nCurrent, forward);
    m_findBox->ShowResult(found >= 0);
    if (found < 0)
        MessageBeep(MB_OK);
    else
        MoveTo(found);
}

void CVerseEditDlg::ForgetSearch()
{
    if (m_search)
        m_search->Invalidate();
}
