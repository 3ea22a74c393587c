#pragma once

#include "data/VerseList.h"

#include <QByteArray>
#include <QByteArrayView>

// Reads verse records from a verse file's bytes: a title line (one holding
// "$$$" ends the file), a reference line, then text lines up to a line
// holding "#", each text line followed by one space. A record cut short by
// the end of input keeps what it has. Lines end as LineReader reads them.
//
// The list made keeps the bytes, and its elements refer into them rather
// than copying: a text's lines are joined in place, over their own line ends
// (the joined text is never longer than its lines with their line ends).
class VerseParser
{
public:
    explicit VerseParser(QByteArray bytes);

    // Reads the records and hands over the list (count set, current index 0).
    VerseList Parse();
    // All bytes read up to the end marker (or the end) are valid UTF-8.
    bool IsUtf8() const { return m_utf8; }

private:
    struct Line
    {
        char *begin;
        qsizetype length; // without its line end
        char *next; // where the next line begins
    };

    inline Line LineAt(char *p) const;
    char *ReadRecord(const Line &title);
    inline bool HasHash(const Line &line);
    bool HasEndMarker(const Line &line);
    void Add(QByteArray title, QByteArray number, QByteArray contents);
    void Grow();

    VerseList m_list;
    QByteArray *m_titles = nullptr; // the three arrays, grown ahead of m_count
    QByteArray *m_numbers = nullptr;
    QByteArray *m_contents = nullptr;
    qsizetype m_count = 0;
    QByteArray m_bytes;
    char *m_base = nullptr;
    char *m_end = nullptr;
    const char *m_recordBegin = nullptr; // of the record being read
    // The next "#" and "$$$" at or after the line read, or the end: each is
    // searched for again only once the lines read have passed it.
    const char *m_nextHash = nullptr;
    const char *m_nextEndMarker = nullptr;
    bool m_utf8 = true;
};
