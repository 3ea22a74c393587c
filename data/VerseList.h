#pragma once

#include <QByteArray>
#include <QList>

// The verses in memory: three parallel arrays of the file's bytes, a count
// kept in step with them, and the index of the verse shown (-1 for none).
// Every addition or removal touches all three arrays, titles first.
//
// Loaded elements refer into m_fileBytes without owning a copy; the list
// keeps those bytes alive, also in its copies, and never writes to them
// again. Assigning an element gives it bytes of its own, and any change to
// one copies it first, so no change ever reaches the bytes others refer to.
struct VerseList
{
    QList<QByteArray> m_arrTitles;
    QList<QByteArray> m_arrNumbers;
    QList<QByteArray> m_arrContents;
    int m_nVerseCount = 0;
    int m_nCurrent = -1;
    QByteArray m_fileBytes;

    void Append(QByteArray title, QByteArray number, QByteArray contents);
    void RemoveAt(int index);
    void Clear();

    // Equal verses, count and index, wherever their bytes are held.
    bool operator==(const VerseList &other) const;
};
