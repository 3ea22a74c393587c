#pragma once

#include "data/FileStamp.h"
#include "data/SaveResult.h"
#include "data/TextEncoding.h"
#include "data/VerseList.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

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

    // Reads the file into list (cleared first, count and index 0). On a
    // failed open or read, reports it and leaves the list empty.
    bool Load(VerseList &list, bool czech, ErrorReporter &reporter);
    // Replaces the file atomically (see WriteFileAtomically); on failure the
    // old file stays whole. A file changed on disk since it was last read or
    // written here is left alone unless replaceChanged.
    SaveResult Save(const VerseList &list, bool replaceChanged = false);

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

    QString m_path;
    TextEncoding m_encoding;
    FileStamp m_stamp;
};
