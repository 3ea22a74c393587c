#pragma once

#include "data/VerseFormat.h"

#include <QString>

// How the verse editor takes what is typed or pasted into its one-line
// fields; what the file can hold is the file format's rule (FileCanHold).

// Turns every line break (LF, or CR LF, as the file's reader sees one) into
// one space. A line break reaches a one-line field only by paste or drop.
QString LineBreaksToSpaces(const QString &text);

// The fields with the line breaks of the title and the reference made spaces.
VerseFields JoinOneLineFields(VerseFields fields);
