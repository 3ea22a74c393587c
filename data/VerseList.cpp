#include "data/VerseList.h"

void VerseList::Append(QByteArray title, QByteArray number, QByteArray contents)
{
    m_arrTitles.append(std::move(title));
    m_arrNumbers.append(std::move(number));
    m_arrContents.append(std::move(contents));
    ++m_nVerseCount;
}

void VerseList::RemoveAt(int index)
{
    m_arrTitles.removeAt(index);
    m_arrNumbers.removeAt(index);
    m_arrContents.removeAt(index);
    --m_nVerseCount;
}

void VerseList::Clear()
{
    m_arrTitles.clear();
    m_arrNumbers.clear();
    m_arrContents.clear();
    m_nVerseCount = 0;
    m_nCurrent = -1;
}
