#include "data/AtomicWrite.h"

#include "data/InPlaceWrite.h"
#include "data/PosixIo.h"
#include "data/TempFile.h"

#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// While it lives, a write past the file-size limit fails with EFBIG instead
// of ending the process.
class SizeSignalIgnored
{
public:
    SizeSignalIgnored()
    {
        struct sigaction ignore = {};
        ignore.sa_handler = SIG_IGN;
        ::sigaction(SIGXFSZ, &ignore, &m_old);
    }
    ~SizeSignalIgnored() { ::sigaction(SIGXFSZ, &m_old, nullptr); }
    SizeSignalIgnored(const SizeSignalIgnored &) = delete;
    SizeSignalIgnored &operator=(const SizeSignalIgnored &) = delete;

private:
    struct sigaction m_old = {};
};

// The file to replace, open for writing without blocking on anything that is
// not a regular file; -1 with error set when it may not be written.
int OpenExisting(const QByteArray &target, struct stat &st, int &error)
{
    error = S_ISDIR(st.st_mode) ? EISDIR : S_ISREG(st.st_mode) ? 0 : kNotRegularFile;
    // The superuser may write anything; a file no one may write is meant to
    // stay as it is, so it is protected from the superuser's saves too.
    if (error == 0 && ::geteuid() == 0 && (st.st_mode & 0222) == 0)
        error = EACCES;
    if (error != 0)
        return -1;
    const int fd = ::open(target.constData(), O_WRONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0)
        error = errno;
    else if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode))
        error = kNotRegularFile;
    if (error != 0 && fd >= 0)
        ::close(fd);
    return error == 0 ? fd : -1;
}

mode_t NewFileMode()
{
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

// Writes bytes to a new file and renames it over the file name in dir.
// Returns 0 or the errno that stopped it, or kRewriteInPlace where the old
// file's owner, group or folder call for that.
constexpr int kRewriteInPlace = -2;

int ReplaceByRename(const QByteArray &dir, const QByteArray &name, const struct stat *old, QByteArrayView bytes,
                    FileStamp &stamp)
{
    TempFile temp;
    int error = temp.CreateUnnamed(dir, name);
    if (error != 0)
        return old && (error == EACCES || error == EPERM) ? kRewriteInPlace : error;
    if (old && ::fchown(temp.fd(), old->st_uid, old->st_gid) != 0)
        return kRewriteInPlace;
    if (::fchmod(temp.fd(), old ? old->st_mode & 07777 : NewFileMode()) != 0)
        return errno;
    error = PosixIo::WriteAt(temp.fd(), bytes, 0);
    if (error == 0 && ::fsync(temp.fd()) != 0)
        error = errno;
    if (error == 0)
        error = temp.GiveName(dir, name);
    if (error != 0)
        return error;
    if (::rename(temp.path().constData(), (dir + '/' + name).constData()) != 0)
        return old && (errno == EACCES || errno == EPERM) ? kRewriteInPlace : errno;
    temp.ForgetName();
    stamp = FileStamp::OfDescriptor(temp.fd());
    PosixIo::SyncFolder(dir);
    return 0;
}

} // namespace

WriteOutcome WriteFileAtomically(const QString &path, QByteArrayView bytes)
{
    QFileInfo info(path);
    if (info.isSymLink() && info.exists())
        info = QFileInfo(info.canonicalFilePath());
    const QByteArray target = QFile::encodeName(info.absoluteFilePath());
    const QByteArray dir = QFile::encodeName(info.absolutePath());
    const QByteArray name = QFile::encodeName(info.fileName());
    const SizeSignalIgnored sizeSignal;

    WriteOutcome outcome;
    struct stat st;
    const bool exists = ::stat(target.constData(), &st) == 0;
    if (!exists && errno != ENOENT)
        return {errno, {}};
    const int fd = exists ? OpenExisting(target, st, outcome.error) : -1;
    if (outcome.error != 0)
        return outcome;
    outcome.error = exists && st.st_nlink > 1
                        ? kRewriteInPlace
                        : ReplaceByRename(dir, name, exists ? &st : nullptr, bytes, outcome.stamp);
    if (outcome.error == kRewriteInPlace) {
        outcome.error = RewriteInPlace(fd, dir, name, bytes);
        outcome.stamp = FileStamp::OfDescriptor(fd);
    }
    if (fd >= 0)
        ::close(fd);
    return outcome;
}
