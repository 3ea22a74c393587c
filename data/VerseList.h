#pragma once

#include <QByteArray>
#include <QList>

// The verses in memory: three parallel arrays of the file's bytes, a count
// kept in step with them, and the index of the verse shown (-1 for none).
// Every addition or removal touches all three arrays, titles first.
struct VerseList
{
    QList<QByteArray> m_arrTitles;
    QList<QByteArray> m_arrNumbers;
    QList<QByteArray> m_arrContents;
    int m_nVerseCount = 0;
    int m_nCurrent = -1;

    void Append(QByteArray title, QByteArray number, QByteArray contents);
    void RemoveAt(int index);
    void Clear();

    bool operator==(const VerseList &other) const = default;
};
