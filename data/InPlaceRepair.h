#pragma once

#include "data/LoadNotice.h"

#include <QByteArray>

struct stat;

// The load's half of the in-place rewrite (see RewriteInPlace): a journal
// left for the file means a rewrite was cut off, and the file holds its old
// contents, its new ones, or a mix of both.
namespace InPlaceRepair {

// Whether a journal is left for the file with these stats: one stat() call.
bool Pending(const struct stat &file);
// For the file open on fd for reading and writing, under an exclusive lock:
// a file holding old and new contents mixed is given all of the new ones; a
// file that changed since the rewrite keeps its contents, and the new ones
// go to a recovery copy. The journal goes, one cut short too (the rewrite
// only ever started once its journal was whole).
LoadNotice Repair(int fd, const QByteArray &path);
// The same before a save, for the file at path (stats file) that the caller
// holds under an exclusive lock: the save then finds the file changed, if
// the repair wrote it. Verses kept aside are noted for the next start. 0, or
// the errno that left the cut-off rewrite unfinished: then nothing may
// replace the file yet.
int RepairBeforeWrite(const QByteArray &path, const struct stat &file);

} // namespace InPlaceRepair
