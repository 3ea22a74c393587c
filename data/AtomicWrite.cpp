#include "data/AtomicWrite.h"

#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Closes the descriptor and removes a named temporary unless released.
class TempFile
{
public:
    TempFile(int fd, QByteArray name) : m_fd(fd), m_name(std::move(name)) {}
    ~TempFile()
    {
        if (m_fd >= 0)
            ::close(m_fd);
        if (!m_name.isEmpty())
            ::unlink(m_name.constData());
    }
    TempFile(const TempFile &) = delete;
    TempFile &operator=(const TempFile &) = delete;

    int fd() const { return m_fd; }
    void SetName(QByteArray name) { m_name = std::move(name); }
    void Release() { m_name.clear(); }

private:
    int m_fd;
    QByteArray m_name;
};

bool WriteAll(int fd, QByteArrayView bytes)
{
    const char *p = bytes.data();
    qsizetype left = bytes.size();
    while (left > 0) {
        const ssize_t n = ::write(fd, p, size_t(left));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        p += n;
        left -= n;
    }
    return true;
}

// The mode of the file being replaced, or the usual mode of a new file.
mode_t TargetMode(const QByteArray &target)
{
    struct stat st;
    if (::stat(target.constData(), &st) == 0)
        return st.st_mode & 07777;
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

// An unnamed file in dir where the file system offers one (nothing is left
// behind if the process dies), else a fresh hidden file named temp.
int OpenTemp(const QByteArray &dir, const QByteArray &temp, bool &named)
{
    named = false;
    int fd = ::open(dir.constData(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0600);
    if (fd >= 0 || errno == ENOENT || errno == ENOTDIR)
        return fd;
    named = true;
    ::unlink(temp.constData());
    return ::open(temp.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
}

} // namespace

bool WriteFileAtomically(const QString &path, QByteArrayView bytes)
{
    QFileInfo info(path);
    if (info.isSymLink() && info.exists())
        info = QFileInfo(info.canonicalFilePath());
    const QByteArray target = QFile::encodeName(info.absoluteFilePath());
    const QByteArray dir = QFile::encodeName(info.absolutePath());
    const QByteArray temp = dir + "/." + QFile::encodeName(info.fileName()) + ".saving";

    bool named = false;
    TempFile file(OpenTemp(dir, temp, named), named ? temp : QByteArray());
    if (file.fd() < 0)
        return false;
    if (::fchmod(file.fd(), TargetMode(target)) != 0 || !WriteAll(file.fd(), bytes)
        || ::fdatasync(file.fd()) != 0)
        return false;
    if (!named) {
        // Give the finished file its hidden name; one left by a save that
        // died at this very step is replaced.
        ::unlink(temp.constData());
        const QByteArray self = "/proc/self/fd/" + QByteArray::number(file.fd());
        if (::linkat(AT_FDCWD, self.constData(), AT_FDCWD, temp.constData(), AT_SYMLINK_FOLLOW) != 0)
            return false;
        file.SetName(temp);
    }
    if (::rename(temp.constData(), target.constData()) != 0)
        return false;
    file.Release();
    return true;
}
