#pragma once

#include "data/FileStamp.h"
#include "data/LoadNotice.h"
#include "data/SaveResult.h"
#include "data/TextEncoding.h"
#include "data/VerseList.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <optional>
#include <utility>

class ErrorReporter;

// The verse file: records of a title line, a reference line, any number of
// text lines and a line holding "#", then a line holding "$$$". Lines end in
// CR LF when written.
class VerseFile
{
public:
    explicit VerseFile(QString path)
        : m_path(std::move(path))
    {
    }

    // Reads the file into list (cleared first, count and index 0), under a
    // shared lock, first finishing a save that was cut off while it rewrote
    // the file in place (see TakeNotice). On a failed open or read, reports
    // it and leaves the list empty.
    bool Load(VerseList &list, bool czech, ErrorReporter &reporter);
    // Replaces the file atomically (see WriteFileAtomically); on failure the
    // old file stays whole. A file changed on disk (or gone) since it was
    // last read or written here is left alone unless replaceChanged; the
    // check and the write are made under one lock.
    SaveResult Save(const VerseList &list, bool replaceChanged = false);

    // Lines of the file last loaded that a save would not give back (see
    // VerseParser::DroppedLines); 0 once the file was saved.
    qsizetype DroppedLines() const { return m_dropped; }
    // What the last load found of a save cut off, told once.
    LoadNotice TakeNotice() { return std::exchange(m_notice, LoadNotice()); }

    // The encoding of the bytes last loaded (UTF-8 for a new or empty file).
    TextEncoding encoding() const { return m_encoding; }
    const QString &path() const { return m_path; }

    static VerseList Parse(QByteArrayView bytes);
    static QByteArray Serialize(const VerseList &list);

    // A text longer than this is broken into lines, at the first space at
    // or after kWrapSearchFrom.
    static constexpr qsizetype kWrapLength = 69;
    static constexpr qsizetype kWrapSearchFrom = 50;

private:
    void ReportError(bool czech, ErrorReporter &reporter) const;
    std::optional<QByteArray> ReadLocked();

    QString m_path;
    TextEncoding m_encoding;
    FileStamp m_stamp;
    qsizetype m_dropped = 0;
    LoadNotice m_notice;
};
