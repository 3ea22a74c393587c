#include "data/PosixIo.h"

#include <QRandomGenerator>

#include <atomic>
#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <unistd.h>

namespace PosixIo {

namespace {

std::atomic<qint64> s_bytesBeforeKill = -1;
std::atomic<int> s_failWith = 0;
std::atomic<int> s_failAll = 0;

// 0, or the error a test asked the write reaching its budget to fail with.
int StopPoint()
{
    if (s_bytesBeforeKill != 0)
        return 0;
    if (s_failWith == 0)
        ::raise(SIGKILL);
    s_bytesBeforeKill = -1;
    return s_failWith;
}

} // namespace

void KillAfterBytes(qint64 bytes)
{
    s_failWith = 0;
    s_bytesBeforeKill = bytes;
}

void FailAfterBytes(qint64 bytes, int error)
{
    s_failWith = error;
    s_bytesBeforeKill = bytes;
}

void FailAllWrites(int error)
{
    s_failAll = error;
}

void KillPoint()
{
    if (s_failWith == 0)
        StopPoint();
}

int WriteAt(int fd, QByteArrayView bytes, qint64 offset)
{
    if (const int error = s_failAll)
        return error;
    const char *p = bytes.data();
    qsizetype left = bytes.size();
    while (left > 0) {
        if (const int error = StopPoint())
            return error;
        const qint64 budget = s_bytesBeforeKill;
        const ssize_t n = ::pwrite(fd, p, size_t(budget < 0 ? left : qMin(left, budget)), off_t(offset));
        if (budget >= 0 && n > 0)
            s_bytesBeforeKill = budget - n;
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return errno;
        if (n == 0)
            return ENOSPC;
        p += n;
        left -= n;
        offset += n;
    }
    return 0;
}

int ReadAll(int fd, QByteArray &bytes)
{
    bytes.clear();
    char buffer[65536];
    for (;;) {
        const ssize_t n = ::pread(fd, buffer, sizeof buffer, off_t(bytes.size()));
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return errno;
        if (n == 0)
            return 0;
        bytes.append(buffer, n);
    }
}

int SyncFolder(const QByteArray &dir)
{
    const int fd = ::open(dir.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return errno;
    const int error = ::fsync(fd) == 0 ? 0 : errno;
    ::close(fd);
    return error;
}

QByteArray HiddenName(const QByteArray &dir, const QByteArray &name)
{
    static const char kLetters[] = "abcdefghijklmnopqrstuvwxyz0123456789";
    QByteArray random(12, Qt::Uninitialized);
    for (char &c : random)
        c = kLetters[QRandomGenerator::system()->bounded(int(sizeof kLetters - 1))];
    // Cut long names, so the hidden name never grows past what the file
    // system takes when the name itself still fits.
    return dir + "/." + name.left(200) + '.' + random;
}

} // namespace PosixIo
