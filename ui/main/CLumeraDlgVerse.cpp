// The verse in the window: picking one, showing it, copying it, and what
// the empty fields say while the list is empty.
#include "res/Resource.h"
#include "ui/main/CLumeraDlg.h"
#include "ui/main/DisplayText.h"
#include "ui/main/EmptyListHint.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QLineEdit>
#include <QPlainTextEdit>

void CLumeraDlg::PickRandomVerse()
{
    // The first pick may show any verse; "Another" always shows another one.
    m_verses.m_nCurrent = PickVerse(m_verses.m_nVerseCount, m_picked ? m_verses.m_nCurrent : -1, m_random);
    m_picked = true;
    ShowCurrentVerse();
}

void CLumeraDlg::ShowCurrentVerse()
{
    const int i = m_verses.m_nCurrent;
    const TextEncoding encoding = m_verseFile.encoding();
    const bool valid = i >= 0 && i < m_verses.m_nVerseCount;
    // Read only (at): the arrays are shared with the saver's copy of what the
    // file holds, and a write access would copy every verse.
    m_strTitle = valid ? ForDisplay(encoding.Decode(m_verses.m_arrTitles.at(i))) : QString();
    m_strNumber = valid ? ForDisplay(encoding.Decode(m_verses.m_arrNumbers.at(i))) : QString();
    m_strContents = valid ? ForDisplay(encoding.Decode(m_verses.m_arrContents.at(i))) : QString();
    UpdateData(false);
    ShowEmptyListHints();
}

// The verse as the window shows it, then its reference, as plain text.
void CLumeraDlg::CopyVerse()
{
    if (m_verses.m_nVerseCount > 0)
        QGuiApplication::clipboard()->setText(ClipboardText(m_strContents, m_strNumber));
}

// The hints stand in empty fields only while there is no verse at all: a
// verse whose title is empty shows an empty title.
void CLumeraDlg::ShowEmptyListHints()
{
    const bool empty = m_verses.m_nVerseCount == 0;
    const EmptyListHint hint = empty ? EmptyListHintFor(m_bCzech, m_verseFile.path()) : EmptyListHint();
    if (auto *title = qobject_cast<QLineEdit *>(GetDlgItem(IDC_TITLE)))
        title->setPlaceholderText(hint.title);
    if (auto *contents = qobject_cast<QPlainTextEdit *>(GetDlgItem(IDC_CONTENTS)))
        contents->setPlaceholderText(hint.contents);
    if (m_copyVerse)
        m_copyVerse->setEnabled(!empty);
}
