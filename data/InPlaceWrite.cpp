#include "data/InPlaceWrite.h"

#include "data/PosixIo.h"
#include "data/TempFile.h"

#include <QDir>
#include <QFile>

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

int WriteBackup(TempFile &backup, const QByteArray &dir, const QByteArray &name, const QByteArray &old)
{
    int error = backup.CreateNamed(dir, name);
    if (error != 0)
        error = backup.CreateNamed(QFile::encodeName(QDir::tempPath()), name);
    if (error == 0)
        error = PosixIo::WriteAt(backup.fd(), old, 0);
    if (error == 0 && ::fsync(backup.fd()) != 0)
        error = errno;
    return error;
}

int WriteWhole(int fd, QByteArrayView bytes)
{
    int error = PosixIo::WriteAt(fd, bytes, 0);
    if (error == 0 && ::ftruncate(fd, off_t(bytes.size())) != 0)
        error = errno;
    if (error == 0 && ::fsync(fd) != 0)
        error = errno;
    return error;
}

} // namespace

int RewriteInPlace(int fd, const QByteArray &dir, const QByteArray &name, QByteArrayView bytes)
{
    QByteArray old;
    int error = ReadOld(fd, dir + '/' + name, old);
    TempFile backup;
    if (error == 0)
        error = WriteBackup(backup, dir, name, old);
    if (error != 0)
        return error;
    // Claim the room first where the file system can: a full disk then
    // fails here, before a byte of the file has changed.
    if (::fallocate(fd, FALLOC_FL_KEEP_SIZE, 0, off_t(qMax<qsizetype>(bytes.size(), 1))) != 0 && errno != EOPNOTSUPP
        && errno != ENOSYS)
        return errno;
    error = WriteWhole(fd, bytes);
    if (error != 0 && WriteWhole(fd, old) != 0)
        backup.ForgetName(); // the backup is all that holds the old contents now
    return error;
}
