#pragma once

#include "data/TextEncoding.h"

#include <QByteArray>
#include <QList>
#include <QString>

// Finds verses by words in their title, reference or text, as a part of any
// one of them, ignoring case, in the file's own encoding (Czech letters typed
// find them in a Windows-1250 file). The three arrays are read in place; the
// texts are decoded and case-folded once, into one string with a separator
// after each field, so a search is a single pass over it. Call Invalidate()
// after a change to the arrays.
class VerseSearch
{
public:
    VerseSearch(const QList<QByteArray> *titles, const QList<QByteArray> *numbers, const QList<QByteArray> *contents,
                TextEncoding encoding);

    // The first verse after from (before it, searching back) whose fields
    // hold words, going round past the end; from itself comes last. -1 when
    // no verse holds them, or words is empty.
    int Find(const QString &words, int from, bool forward);
    void Invalidate() { m_built = false; }

private:
    void Build();
    int VerseAt(qsizetype offset) const;

    const QList<QByteArray> *m_titles;
    const QList<QByteArray> *m_numbers;
    const QList<QByteArray> *m_contents;
    TextEncoding m_encoding;
    QString m_folded;
    QList<qsizetype> m_starts; // where each verse begins in m_folded
    bool m_built = false;
};
