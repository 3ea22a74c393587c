#include "data/RegularFile.h"

#include "data/FileLock.h"

#include <QFile>

#include <cerrno>
#include <fcntl.h>
#include <new>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Faults the pages of a new buffer in from here, a page at a time. Taken
// inside read(), each such fault would take the lock that any other thread
// mapping memory has to wait for: the window system starts on the main
// thread while the verse file is read beside it.
void FaultIn(char *data, qsizetype size)
{
    const qsizetype page = qMax<qsizetype>(4096, ::sysconf(_SC_PAGESIZE));
    for (qsizetype i = 0; i < size; i += page)
        data[i] = 0;
    if (size > 0)
        data[size - 1] = 0; // the last page, when the buffer starts inside one
}

} // namespace

RegularFile::RegularFile(const QString &path, Access access)
{
    // Named as Qt names files; a NUL would cut the name short.
    const QByteArray name = QFile::encodeName(path);
    m_openError = ENOENT;
    if (name.isEmpty() || name.contains('\0'))
        return;
    for (int attempt = 0; attempt < FileLock::kOpenAttempts; ++attempt) {
        m_openError = OpenOnce(name, access);
        if (m_openError != ESTALE)
            break;
    }
    if (m_openError != 0 && m_fd >= 0) {
        ::close(m_fd);
        m_fd = -1;
    }
}

// 0 with the file open and held as asked, or why not (ESTALE: try again).
int RegularFile::OpenOnce(const QByteArray &name, Access access)
{
    if (m_fd >= 0)
        ::close(m_fd);
    // O_NONBLOCK keeps the open of a FIFO from waiting for a writer.
    const int mode = access == Access::ReadWrite ? O_RDWR : O_RDONLY;
    do
        m_fd = ::open(name.constData(), mode | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    while (m_fd < 0 && errno == EINTR);
    if (m_fd < 0)
        return errno;
    struct stat st;
    const int flags = ::fcntl(m_fd, F_GETFL);
    if (::fstat(m_fd, &st) != 0 || flags < 0 || ::fcntl(m_fd, F_SETFL, flags & ~O_NONBLOCK) != 0)
        return errno;
    if (!S_ISREG(st.st_mode))
        return -1;
    m_size = st.st_size;
    if (access == Access::Unlocked)
        return 0;
    return FileLock::AcquireAt(m_fd, name.constData(), access == Access::ReadWrite);
}

RegularFile::~RegularFile()
{
    if (m_fd >= 0)
        ::close(m_fd);
}

qint64 RegularFile::Read(char *data, qint64 n)
{
    if (m_fd < 0)
        return -1;
    ssize_t got;
    do
        got = ::read(m_fd, data, size_t(n));
    while (got < 0 && errno == EINTR);
    return got;
}

std::optional<QByteArray> RegularFile::ReadAll()
{
    try {
        // One byte beyond the size shows the end without a second call, unless
        // the file grew meanwhile.
        QByteArray bytes(m_size + 1, Qt::Uninitialized);
        FaultIn(bytes.data(), bytes.size());
        qsizetype used = 0;
        for (;;) {
            if (used == bytes.size())
                bytes.resize(bytes.size() * 2);
            const qint64 n = Read(bytes.data() + used, bytes.size() - used);
            if (n < 0)
                return std::nullopt;
            if (n == 0)
                break;
            used += n;
        }
        bytes.truncate(used);
        return bytes;
    } catch (const std::bad_alloc &) {
        return std::nullopt;
    }
}
