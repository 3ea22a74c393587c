#pragma once

#include <QByteArray>
#include <QByteArrayView>

// Rewrites the regular file open for writing on fd (named path) in place
// with bytes, so that the file itself stays: every hard link to it, its
// owner, group and mode. Before its first byte changes, its old and new
// contents are on disk in a journal (WriteJournal); a write that fails puts
// the old contents back, and the journal goes once the file holds either
// the old or all of the new contents on disk. Should the process die on the
// way, the next load of the file finishes the rewrite (InPlaceRepair).
// Returns 0 or the errno that stopped it.
int RewriteInPlace(int fd, const QByteArray &path, QByteArrayView bytes);

// Writes bytes over the whole file open on fd, cuts it to their length and
// flushes it. 0 or the errno that stopped it.
int WriteWhole(int fd, QByteArrayView bytes);
