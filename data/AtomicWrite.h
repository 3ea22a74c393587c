#pragma once

#include <QByteArrayView>
#include <QString>

// Replaces the file at path with bytes so that, whatever happens part-way (a
// full disk, an I/O error, the process killed), the file holds either its old
// contents or all of the new ones. The new contents are written to an unnamed
// file beside it, flushed to disk, given a hidden name and renamed over the
// old file, whose permissions they keep. Returns false, with the old file
// untouched, when anything fails.
bool WriteFileAtomically(const QString &path, QByteArrayView bytes);
