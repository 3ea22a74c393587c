#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QList>

// Edits that could not go into the verse file, kept aside in a file of their
// own instead of being lost: a verse file the program can read again.
namespace RecoveryCopy {

struct Written
{
    int error = 0; // 0, or the errno that stopped the copy
    QByteArray path; // where the copy is, from the root
};

// Writes bytes to a new file beside the verse file at versePath, named after
// it with "-recovered-" and the date and time ("Lumera-recovered-20261208-
// 083100.niv"), readable by the user alone and flushed to disk; in the state
// folder when that folder takes no new file. Never over an existing file.
Written Write(const QByteArray &versePath, QByteArrayView bytes);

// Notes a copy that no one could be told of (the program was ended from
// outside), for the next start to tell.
void NoteForNextStart(const QByteArray &copyPath);
// The copies noted since the last call, oldest first; the note is removed.
QList<QByteArray> TakeNoted();

} // namespace RecoveryCopy
