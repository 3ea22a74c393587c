#pragma once

#include "data/TextEncoding.h"

#include <QByteArray>
#include <QString>

#include <optional>

// What a verse file's record may hold. The file has no escaping: a title
// line holding kFileEnd ends the file, a line break in a title or a
// reference shifts every later record, and a verse-text line holding
// kRecordEnd ends the record early. So nothing is stored that the file
// could not read back as the same verse.

// The line that ends a record, and the one that ends the file, as written;
// a line holding either anywhere counts as one where the reader expects it.
inline constexpr char kRecordEnd[] = "#";
inline constexpr char kFileEnd[] = "$$$";

// The texts of a verse: title, reference and verse text.
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

// Whether the file can hold the fields: no kFileEnd and no line break in
// the title, no line break in the reference, no kRecordEnd in the verse text.
bool FileCanHold(const VerseFields &fields);

// The fields as the file stores them, or nullopt when the file cannot hold
// them (see FileCanHold) or its encoding lacks one of their characters.
std::optional<VerseBytes> EncodeForFile(const VerseFields &fields, const TextEncoding &encoding);
