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
    m_fileBytes.clear();
}

bool VerseList::operator==(const VerseList &other) const
{
    return m_arrTitles == other.m_arrTitles && m_arrNumbers == other.m_arrNumbers
           && m_arrContents == other.m_arrContents && m_nVerseCount == other.m_nVerseCount
           && m_nCurrent == other.m_nCurrent;
}
