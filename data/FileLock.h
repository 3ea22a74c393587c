#pragma once

// Advisory locks on open files, the way copies of the program take turns
// with one verse file: shared while it is read, exclusive while it is
// checked and written. A lock goes with the last descriptor of its open
// file, so one held by a copy that died never blocks another.
namespace FileLock {

// Locks the file open on fd, waiting for another holder to finish for up to
// WaitMilliseconds(). 0, or the errno that stopped it (EWOULDBLOCK when the
// wait ran out).
int Acquire(int fd, bool exclusive);
// Acquire, then checks that the file locked is still the one at path:
// ESTALE when a save replaced or removed it meanwhile, for the caller to
// open the path again.
int AcquireAt(int fd, const char *path, bool exclusive);
// How often a caller opens a path again after ESTALE before giving up.
constexpr int kOpenAttempts = 20;

int WaitMilliseconds();
// Tests shorten the wait.
void SetWaitMilliseconds(int milliseconds);

constexpr int kDefaultWaitMilliseconds = 5000;

} // namespace FileLock
