#pragma once

#include "data/LineScanner.h"
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
    // It points into its own bytes.
    VerseParser(const VerseParser &) = delete;
    VerseParser &operator=(const VerseParser &) = delete;

    // Reads the records and hands over the list (count set, current index
    // 0), and with it the bytes: call it once.
    VerseList Parse();
    // All bytes up to the end of the end marker's line (or the end) are
    // valid UTF-8.
    bool IsUtf8() const { return m_utf8; }
    // How many lines the list cannot give back when written: words on a
    // record's "#" line, more than "$$$" on the end marker's line, and the
    // lines after it that are not blank (a lone CR ending a line too).
    qsizetype DroppedLines() const { return m_dropped; }

private:
    using Line = LineScanner::Line;
    enum class Expect { Title, Number, Text };

    bool OnLine(const Line &line);
    void EndRecord();
    void Add(QByteArrayView title, QByteArrayView number, QByteArrayView contents);
    void Grow();

    VerseList m_list;
    QByteArray *m_titles = nullptr; // the three arrays, grown ahead of m_count
    QByteArray *m_numbers = nullptr;
    QByteArray *m_contents = nullptr;
    qsizetype m_count = 0;
    QByteArray m_bytes;
    char *m_base = nullptr;
    char *m_end = nullptr;
    LineScanner m_lines;

    // The record being read: what is expected next, its lines so far, and
    // where its text begins and its next text line is to be joined.
    Expect m_expect = Expect::Title;
    Line m_title{};
    Line m_number{};
    char *m_text = nullptr;
    char *m_to = nullptr;

    const char *m_checkTo = nullptr; // the bytes whose encoding counts end here
    bool m_utf8 = true;
    qsizetype m_dropped = 0;
};
