#include "data/InPlaceWrite.h"

#include "data/PosixIo.h"
#include "data/WriteJournal.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

int ReadOld(int fd, const QByteArray &path, QByteArray &old)
{
    const int in = ::open(path.constData(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (in < 0)
        return errno;
    struct stat mine = {};
    struct stat theirs = {};
    int error = ::fstat(fd, &mine) == 0 && ::fstat(in, &theirs) == 0 ? 0 : errno;
    if (error == 0 && (mine.st_dev != theirs.st_dev || mine.st_ino != theirs.st_ino))
        error = EAGAIN; // replaced meanwhile: let the user try again
    if (error == 0)
        error = PosixIo::ReadAll(in, old);
    ::close(in);
    return error;
}

// Claims the room first where the file system can: a full disk then fails
// here, before a byte of the file has changed.
int Reserve(int fd, qsizetype size)
{
    if (::fallocate(fd, FALLOC_FL_KEEP_SIZE, 0, off_t(qMax<qsizetype>(size, 1))) == 0 || errno == EOPNOTSUPP
        || errno == ENOSYS)
        return 0;
    return errno;
}

} // namespace

int WriteWhole(int fd, QByteArrayView bytes)
{
    int error = PosixIo::WriteAt(fd, bytes, 0);
    PosixIo::KillPoint();
    if (error == 0 && ::ftruncate(fd, off_t(bytes.size())) != 0)
        error = errno;
    PosixIo::KillPoint();
    if (error == 0 && ::fsync(fd) != 0)
        error = errno;
    return error;
}

int RewriteInPlace(int fd, const QByteArray &path, QByteArrayView bytes)
{
    QByteArray old;
    struct stat st = {};
    int error = ::fstat(fd, &st) == 0 ? ReadOld(fd, path, old) : errno;
    if (error == 0)
        error = WriteJournal::Write(st, path, old, bytes);
    if (error != 0)
        return error;
    const QByteArray journal = WriteJournal::PathFor(st);
    error = Reserve(fd, bytes.size());
    if (error != 0) { // not a byte written
        WriteJournal::Remove(journal);
        return error;
    }
    error = WriteWhole(fd, bytes);
    if (error != 0 && WriteWhole(fd, old) != 0)
        return error; // the journal stays, for the next load to finish the rewrite
    PosixIo::KillPoint();
    WriteJournal::Remove(journal);
    return error;
}
