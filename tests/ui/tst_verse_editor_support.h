#pragma once

#include "DialogTestSupport.h"
#include "data/TextEncoding.h"
#include "data/VerseList.h"
#include "platform/WinTypes.h"
#include "res/Resource.h"
#include "ui/editor/CVerseEditDlg.h"

#include <functional>

// Verses "Title k", "Ref k", "Text k." for k = 0 .. n-1, showing verse current.
inline VerseList MakeVerses(int n, int current = 0)
{
    VerseList list;
    for (int k = 0; k < n; ++k)
        list.Append("Title " + QByteArray::number(k), "Ref " + QByteArray::number(k),
                    "Text " + QByteArray::number(k) + ".");
    list.m_nCurrent = n > 0 ? current : -1;
    return list;
}

// Opens the editor on the list as the main dialog does, runs act while it is
// open, closes it with Exit unless act closed it, and copies the count and
// the index back. Returns the editor's result.
inline int RunEditor(VerseList &list, const std::function<void(CVerseEditDlg &)> &act,
                     TextEncoding encoding = TextEncoding())
{
    CVerseEditDlg dlg;
    dlg.m_pTitles = &list.m_arrTitles;
    dlg.m_pNumbers = &list.m_arrNumbers;
    dlg.m_pContents = &list.m_arrContents;
    dlg.m_nVerseCount = list.m_nVerseCount;
    dlg.m_nCurrent = list.m_nCurrent;
    dlg.m_encoding = encoding;
    const int result = RunModal(dlg, [&] { act(dlg); });
    list.m_nVerseCount = dlg.m_nVerseCount;
    list.m_nCurrent = dlg.m_nCurrent;
    return result;
}
