#pragma once

#include "data/FileStamp.h"

#include <QByteArrayView>
#include <QString>

// The outcome of a write: 0 or the errno that stopped it (kNotRegularFile
// for a target that is no regular file), and the stamp of the file written.
struct WriteOutcome
{
    int error = 0;
    FileStamp stamp;
};

constexpr int kNotRegularFile = -1;

// Replaces the file at path (or the file a link there points to) with bytes
// so that, whatever happens part-way (a full disk, a file-size limit, the
// process killed), the file holds either its old contents or all of the new
// ones. Only a regular file the user may write is replaced: a folder, device
// or pipe of that name and a write-protected file (for the superuser: one
// with no write permission for anyone) are left alone and reported.
//
// The new contents are written to a file beside it under a name no one can
// predict, given the old file's owner, group and mode, flushed to disk and
// renamed over it, and the folder is flushed. Where that cannot keep the file
// whole (it has other hard links, its owner or group cannot be given to a new
// file, or its folder takes no new file while the file itself is writable),
// it is rewritten in place behind a flushed backup instead.
WriteOutcome WriteFileAtomically(const QString &path, QByteArrayView bytes);
