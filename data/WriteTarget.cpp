#include "data/WriteTarget.h"

#include "data/FileLock.h"
#include "data/FileTrust.h"

#include <QFile>

#include <cerrno>
#include <climits>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace {

bool OwnOrSystems(const struct stat &st)
{
    return st.st_uid == ::geteuid() || st.st_uid == 0;
}

// The path after the links at its end, as far as they lead (to a file that
// may not exist); a loop stops after 40 links, and the open then fails. The
// link that trust is checked on: the first of another user's, else the first.
QByteArray FollowLinks(QByteArray path, struct stat &trustedLink, bool &viaLink)
{
    viaLink = false;
    for (int hops = 0; hops < 40; ++hops) {
        struct stat st = {};
        if (::lstat(path.constData(), &st) != 0 || !S_ISLNK(st.st_mode))
            break;
        if (hops == 0 || (OwnOrSystems(trustedLink) && !OwnOrSystems(st)))
            trustedLink = st;
        viaLink = true;
        char target[PATH_MAX];
        const ssize_t n = ::readlink(path.constData(), target, sizeof target);
        if (n <= 0 || n == ssize_t(sizeof target))
            break;
        const QByteArray to(target, n);
        const qsizetype slash = path.lastIndexOf('/');
        path = to.startsWith('/') || slash < 0 ? to : path.left(slash + 1) + to;
    }
    return path;
}

} // namespace

WriteTarget::~WriteTarget()
{
    Close();
}

void WriteTarget::Close()
{
    if (m_fd >= 0)
        ::close(m_fd);
    if (m_folderFd >= 0)
        ::close(m_folderFd);
    m_fd = m_folderFd = -1;
}

QByteArray WriteTarget::Folder() const
{
    const qsizetype slash = m_path.lastIndexOf('/');
    return slash < 0 ? QByteArray(".") : slash == 0 ? QByteArray("/") : m_path.left(slash);
}

QByteArray WriteTarget::Name() const
{
    return m_path.sliced(m_path.lastIndexOf('/') + 1);
}

FileError WriteTarget::Open(const QString &path)
{
    m_path = FollowLinks(QFile::encodeName(path), m_link, m_viaLink);
    FileError error;
    for (int attempt = 0; attempt < FileLock::kOpenAttempts; ++attempt) {
        Close();
        error = OpenOnce();
        if (error != FileError::FromErrno(ESTALE))
            break;
    }
    if (error)
        Close();
    return error;
}

FileError WriteTarget::OpenOnce()
{
    if (::stat(m_path.constData(), &m_stat) != 0)
        return errno == ENOENT ? LockFolder() : FileError::FromErrno(errno);
    if (S_ISDIR(m_stat.st_mode))
        return FileError::FromErrno(EISDIR);
    if (!S_ISREG(m_stat.st_mode))
        return {FileError::Kind::NotRegularFile, 0};
    // The superuser may write anything; a file no one may write is meant to
    // stay as it is, so it is protected from the superuser's saves too.
    if (::geteuid() == 0 && (m_stat.st_mode & 0222) == 0)
        return FileError::FromErrno(EACCES);
    m_fd = ::open(m_path.constData(), O_WRONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (m_fd < 0)
        return FileError::FromErrno(errno == ENOENT ? ESTALE : errno);
    if (::fstat(m_fd, &m_stat) != 0)
        return FileError::FromErrno(errno);
    if (!S_ISREG(m_stat.st_mode))
        return {FileError::Kind::NotRegularFile, 0};
    const int locked = FileLock::AcquireAt(m_fd, m_path.constData(), true);
    if (locked == EWOULDBLOCK)
        return {FileError::Kind::Busy, locked};
    if (locked != 0)
        return FileError::FromErrno(locked);
    return FileError::FromErrno(::fstat(m_fd, &m_stat) == 0 ? 0 : errno);
}

// No file yet: the folder is locked, and the file must still be missing.
FileError WriteTarget::LockFolder()
{
    m_folderFd = ::open(Folder().constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (m_folderFd < 0)
        return FileError::FromErrno(errno);
    const int locked = FileLock::Acquire(m_folderFd, true);
    if (locked == EWOULDBLOCK)
        return {FileError::Kind::Busy, locked};
    if (locked != 0)
        return FileError::FromErrno(locked);
    struct stat st = {};
    return FileError::FromErrno(::lstat(m_path.constData(), &st) == 0 ? ESTALE : 0);
}

FileError WriteTarget::Trust() const
{
    struct stat none = {};
    none.st_uid = ::geteuid();
    const FileTrust::Problem problem = FileTrust::Check(Exists() ? m_stat : none, m_viaLink ? &m_link : nullptr);
    switch (problem) {
    case FileTrust::Problem::OtherOwner: return {FileError::Kind::OtherOwner, 0};
    case FileTrust::Problem::OthersMayWrite: return {FileError::Kind::OthersMayWrite, 0};
    case FileTrust::Problem::None: break;
    }
    return {};
}
