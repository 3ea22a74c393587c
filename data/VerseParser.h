#pragma once

#include "data/VerseList.h"

#include <QByteArray>
#include <QByteArrayView>

#include <string>

// Reads verse records from a verse file's bytes, fed in pieces of any size:
// a title line (one holding "$$$" ends the file), a reference line, then text
// lines up to a line holding "#", each text line followed by one space. A
// record cut short by the end of input keeps what it has.
class VerseParser
{
public:
    // expectedBytes, when known, sizes the arrays up front.
    explicit VerseParser(qsizetype expectedBytes = 0);

    void Feed(QByteArrayView bytes);
    // Ends the input and hands over the list (count set, current index 0).
    VerseList Finish();

    // The end marker has been read: further input is ignored.
    bool Done() const { return m_done; }
    // All bytes read up to the end marker (or the end) are valid UTF-8.
    bool IsUtf8() const { return m_utf8; }

private:
    enum class Expect { Title, Number, Text };

    void FeedLines(QByteArrayView lines);
    void OnLine(QByteArrayView line);
    void CheckEncoding(QByteArrayView bytes);
    QByteArrayView Text() const { return QByteArrayView(m_text.data(), qsizetype(m_text.size())); }

    VerseList m_list;
    QByteArray m_pending; // the start of a line not yet ended
    QByteArray m_title;
    QByteArray m_lastTitle;
    QByteArray m_number;
    std::string m_text; // the verse text so far, reused from record to record
    Expect m_expect = Expect::Title;
    bool m_done = false;
    bool m_utf8 = true;
};
