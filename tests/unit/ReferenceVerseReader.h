#pragma once

#include "data/LineReader.h"
#include "data/VerseList.h"

#include <QByteArrayView>

// A verse file read the plain way, one line at a time (LineReader), as the
// reference for the fast reader: a title line holding "$$$" ends the file;
// the reference line is taken as it is; text lines up to one holding "#",
// each followed by one space; a record cut short by the end keeps what it has.
struct ReferenceRead
{
    VerseList list; // count set, current index 0
    // All bytes up to the end of the end marker's line (all bytes when there
    // is none) are valid UTF-8; otherwise the file is Windows-1250.
    bool utf8 = true;
};

inline ReferenceRead ReadLineByLine(QByteArrayView bytes)
{
    ReferenceRead read;
    read.list.m_nCurrent = 0;
    qsizetype checkTo = bytes.size();
    LineReader reader(bytes);
    QByteArrayView title;
    while (reader.ReadLine(title)) {
        if (title.contains("$$$")) {
            const qsizetype lf = bytes.indexOf('\n', title.data() - bytes.data());
            checkTo = lf < 0 ? bytes.size() : lf + 1;
            break;
        }
        QByteArrayView number;
        QByteArrayView line;
        QByteArray text;
        reader.ReadLine(number);
        while (reader.ReadLine(line) && !line.contains('#'))
            text += line.toByteArray() + ' ';
        read.list.Append(title.toByteArray(), number.toByteArray(), text);
    }
    read.utf8 = bytes.first(checkTo).isValidUtf8();
    return read;
}
