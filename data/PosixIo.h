#pragma once

#include <QByteArray>
#include <QByteArrayView>

// Descriptor-level steps of the file writers. Those returning int give 0 or
// the errno that stopped them.
namespace PosixIo {

// Writes all of bytes at offset, retrying short and interrupted writes.
int WriteAt(int fd, QByteArrayView bytes, qint64 offset);
// Reads the whole file open on fd from its start.
int ReadAll(int fd, QByteArray &bytes);
// Flushes a folder's entries (a rename in it) to disk.
int SyncFolder(const QByteArray &dir);
// "dir/.name." followed by random letters and digits no one can guess.
QByteArray HiddenName(const QByteArray &dir, const QByteArray &name);
// How often a fresh random name is tried when the one drawn exists.
constexpr int kNameAttempts = 100;

// For tests of a save cut off at any point: the process kills itself once
// WriteAt has written this many bytes in all, at the next write or KillPoint.
void KillAfterBytes(qint64 bytes);
// For tests of a write that fails part-way: once WriteAt has written this
// many bytes in all, its next call fails with error (once).
void FailAfterBytes(qint64 bytes, int error);
// For tests of a full disk: while error is not 0, every WriteAt fails with it.
void FailAllWrites(int error);
// A step of a save between writes where a test may kill it.
void KillPoint();

} // namespace PosixIo
