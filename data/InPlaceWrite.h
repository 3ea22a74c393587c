#pragma once

#include <QByteArray>
#include <QByteArrayView>

// Rewrites the regular file open for writing on fd (named name in dir) in
// place with bytes, so that the file itself stays: every hard link to it, its
// owner, group and mode. Its old contents are first copied to a hidden backup
// beside it (in the temporary folder when its own folder takes no new file)
// and flushed to disk; a write that fails puts them back, and the backup is
// removed once the file holds either the old or all of the new contents, on
// disk. Returns 0 or the errno that stopped it.
int RewriteInPlace(int fd, const QByteArray &dir, const QByteArray &name, QByteArrayView bytes);
