#include "data/FileLock.h"

#include <atomic>
#include <cerrno>
#include <ctime>
#include <sys/file.h>
#include <sys/stat.h>

namespace FileLock {

namespace {

std::atomic<int> s_waitMilliseconds = kDefaultWaitMilliseconds;

} // namespace

int Acquire(int fd, bool exclusive)
{
    const int operation = (exclusive ? LOCK_EX : LOCK_SH) | LOCK_NB;
    const timespec pause{0, 10'000'000};
    for (int waited = 0;; waited += 10) {
        if (::flock(fd, operation) == 0)
            return 0;
        if (errno == EINTR)
            continue;
        if (errno != EWOULDBLOCK || waited >= s_waitMilliseconds)
            return errno;
        ::nanosleep(&pause, nullptr);
    }
}

int AcquireAt(int fd, const char *path, bool exclusive)
{
    if (const int error = Acquire(fd, exclusive))
        return error;
    struct stat locked = {};
    struct stat named = {};
    if (::fstat(fd, &locked) != 0)
        return errno;
    if (::stat(path, &named) != 0 || named.st_dev != locked.st_dev || named.st_ino != locked.st_ino)
        return ESTALE;
    return 0;
}

int WaitMilliseconds()
{
    return s_waitMilliseconds;
}

void SetWaitMilliseconds(int milliseconds)
{
    s_waitMilliseconds = milliseconds;
}

} // namespace FileLock
