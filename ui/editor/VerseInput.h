#pragma once

#include "data/TextEncoding.h"

#include <QByteArray>
#include <QString>

#include <optional>

// The input rules of the verse editor. The verse file has no escaping: a
// title line holding "$$$" ends the file, a line break in a title or a
// reference shifts every later record, and a verse-text line holding "#"
// ends the record early. So the editor never stores what the file could not
// read back as the same verse.

// The texts of the editor's three fields.
struct VerseFields
{
    QString title;
    QString number;
    QString contents;

    bool operator==(const VerseFields &other) const = default;
};

// The same texts in the verse file's encoding.
struct VerseBytes
{
    QByteArray title;
    QByteArray number;
    QByteArray contents;
};

// Turns every line break (LF, or CR LF, as the file's reader sees one) into
// one space. A line break reaches a one-line field only by paste or drop.
QString LineBreaksToSpaces(const QString &text);

// The fields with the line breaks of the title and the reference made spaces.
VerseFields JoinOneLineFields(VerseFields fields);

// Whether the file can hold the fields: no "$$$" and no line break in the
// title, no line break in the reference, no "#" in the verse text.
bool FileCanHold(const VerseFields &fields);

// The fields as the file stores them, or nullopt when the file cannot hold
// them (see FileCanHold) or its encoding lacks one of their characters.
std::optional<VerseBytes> EncodeForFile(const VerseFields &fields, const TextEncoding &encoding);
