#pragma once

#include <QByteArray>

// The user's own folder for what the program keeps between runs: the record
// of a rewrite in progress and the note of edits kept aside. It is
// $XDG_STATE_HOME/Lumera, or ~/.local/state/Lumera, readable by the user
// alone. Plain system calls only, so any thread may use it.
namespace StateFolder {

// The folder's path, worked out once from the environment (the first call
// should come before a second thread runs); empty when there is no home.
QByteArray Path();
// Tests put the folder elsewhere.
void UsePath(const QByteArray &path);
// Makes the folder (and its parents) when missing. 0, or the errno that
// stopped it; EPERM when the folder belongs to someone else or others may
// write it.
int Ensure();

} // namespace StateFolder
