#pragma once

#include "data/FileError.h"
#include "data/FileStamp.h"

#include <QByteArrayView>
#include <QString>

// The outcome of a write: what stopped it, if anything, whether it was left
// undone because the file is not the one expected, and the stamp of the
// file written.
struct WriteOutcome
{
    FileError error;
    bool changed = false; // not the file expected: left alone
    bool vanished = false; // and it is gone
    FileStamp stamp;
};

// Replaces the file at path (or the file links there lead to) with bytes so
// that, whatever happens part-way (a full disk, a file-size limit, the
// process killed), the file holds either its old contents or all of the new
// ones, or a load puts it right (see RewriteInPlace). The file is held for
// the whole write (WriteTarget), so saves by several programs take turns;
// when expected is given, a file that is no longer the one it stamps (or is
// gone) is left alone. Only the user's own file, which no one else may
// write, is replaced.
//
// The new contents are written to a file beside it under a name no one can
// predict, given the old file's owner, group and mode, flushed to disk and
// renamed over it, and the folder is flushed. Where that cannot keep the file
// whole (it has other hard links, its owner or group cannot be given to a new
// file, or its folder takes no new file while the file itself is writable),
// it is rewritten in place instead.
WriteOutcome WriteFileAtomically(const QString &path, QByteArrayView bytes, const FileStamp *expected = nullptr);
