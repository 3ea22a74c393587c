#include "data/TempFile.h"

#include "data/PosixIo.h"

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

TempFile::~TempFile()
{
    if (m_fd >= 0)
        ::close(m_fd);
    if (!m_path.isEmpty())
        ::unlink(m_path.constData());
}

int TempFile::CreateUnnamed(const QByteArray &dir, const QByteArray &name)
{
    m_fd = ::open(dir.constData(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0600);
    if (m_fd >= 0)
        return 0;
    // Kernels and file systems without unnamed files say so in these ways.
    if (errno != EOPNOTSUPP && errno != EISDIR && errno != EINVAL)
        return errno;
    return CreateNamed(dir, name);
}

int TempFile::CreateNamed(const QByteArray &dir, const QByteArray &name)
{
    for (int attempt = 0; attempt < PosixIo::kNameAttempts; ++attempt) {
        const QByteArray path = PosixIo::HiddenName(dir, name);
        m_fd = ::open(path.constData(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
        if (m_fd >= 0) {
            m_path = path;
            return 0;
        }
        if (errno != EEXIST)
            return errno;
    }
    return EEXIST;
}

int TempFile::GiveName(const QByteArray &dir, const QByteArray &name)
{
    if (!m_path.isEmpty())
        return 0;
    const QByteArray self = "/proc/self/fd/" + QByteArray::number(m_fd);
    for (int attempt = 0; attempt < PosixIo::kNameAttempts; ++attempt) {
        const QByteArray path = PosixIo::HiddenName(dir, name);
        if (::linkat(AT_FDCWD, self.constData(), AT_FDCWD, path.constData(), AT_SYMLINK_FOLLOW) == 0) {
            m_path = path;
            return 0;
        }
        if (errno != EEXIST)
            return errno;
    }
    return EEXIST;
}

// A hidden name first, then a rename over path: path names the old file or
// this one at every moment, never neither.
int TempFile::NameAs(const QByteArray &path)
{
    const qsizetype slash = path.lastIndexOf('/');
    const int error = GiveName(path.left(qMax<qsizetype>(slash, 0)), path.mid(slash + 1));
    if (error != 0)
        return error;
    if (::rename(m_path.constData(), path.constData()) != 0)
        return errno;
    m_path.clear();
    return 0;
}
