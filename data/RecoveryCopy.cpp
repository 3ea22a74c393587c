#include "data/RecoveryCopy.h"

#include "data/PosixIo.h"
#include "data/StateFolder.h"

#include <cerrno>
#include <ctime>
#include <fcntl.h>
#include <unistd.h>

namespace RecoveryCopy {

namespace {

QByteArray TimeStamp()
{
    const std::time_t now = std::time(nullptr);
    std::tm local = {};
    char text[32] = {};
    ::localtime_r(&now, &local);
    std::strftime(text, sizeof text, "%Y%m%d-%H%M%S", &local);
    return text;
}

// "dir/stem-recovered-stamp[-n].ext" for the verse file's name.
QByteArray CopyName(const QByteArray &dir, const QByteArray &verseName, const QByteArray &stamp, int n)
{
    const qsizetype dot = verseName.lastIndexOf('.');
    const QByteArray stem = dot > 0 ? verseName.left(dot) : verseName;
    const QByteArray extension = dot > 0 ? verseName.sliced(dot) : QByteArray();
    const QByteArray number = n > 1 ? '-' + QByteArray::number(n) : QByteArray();
    return dir + '/' + stem.left(200) + "-recovered-" + stamp + number + extension;
}

Written WriteIn(const QByteArray &dir, const QByteArray &verseName, QByteArrayView bytes)
{
    const QByteArray stamp = TimeStamp();
    for (int n = 1; n <= PosixIo::kNameAttempts; ++n) {
        Written written{0, CopyName(dir, verseName, stamp, n)};
        const int fd = ::open(written.path.constData(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
        if (fd < 0 && errno == EEXIST)
            continue;
        if (fd < 0)
            return {errno, {}};
        written.error = PosixIo::WriteAt(fd, bytes, 0);
        if (written.error == 0 && ::fsync(fd) != 0)
            written.error = errno;
        ::close(fd);
        if (written.error != 0)
            ::unlink(written.path.constData());
        else
            PosixIo::SyncFolder(dir);
        return written;
    }
    return {EEXIST, {}};
}

// The path from the root, so that it still leads to the copy from another
// folder.
QByteArray FromRoot(const QByteArray &path)
{
    char here[4096];
    if (path.startsWith('/') || !::getcwd(here, sizeof here))
        return path;
    return QByteArray(here) + '/' + path;
}

} // namespace

Written Write(const QByteArray &relativePath, QByteArrayView bytes)
{
    const QByteArray versePath = FromRoot(relativePath);
    const qsizetype slash = versePath.lastIndexOf('/');
    const QByteArray dir = slash < 0 ? QByteArray(".") : slash == 0 ? QByteArray("/") : versePath.left(slash);
    const QByteArray name = versePath.sliced(slash + 1);
    Written written = WriteIn(dir, name, bytes);
    if (written.error != 0 && StateFolder::Ensure() == 0)
        written = WriteIn(StateFolder::Path(), name, bytes);
    return written;
}

void NoteForNextStart(const QByteArray &copyPath)
{
    if (StateFolder::Ensure() != 0)
        return;
    const QByteArray note = StateFolder::Path() + "/recovered";
    const int fd = ::open(note.constData(), O_WRONLY | O_CREAT | O_APPEND | O_NOFOLLOW | O_CLOEXEC, 0600);
    if (fd < 0)
        return;
    const QByteArray entry = copyPath + '\0';
    [[maybe_unused]] const ssize_t n = ::write(fd, entry.constData(), size_t(entry.size()));
    ::fsync(fd);
    ::close(fd);
}

QList<QByteArray> TakeNoted()
{
    const QByteArray folder = StateFolder::Path();
    if (folder.isEmpty())
        return {};
    const QByteArray note = folder + "/recovered";
    const int fd = ::open(note.constData(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0)
        return {};
    QByteArray bytes;
    const int error = PosixIo::ReadAll(fd, bytes);
    ::close(fd);
    ::unlink(note.constData());
    QList<QByteArray> copies = error == 0 ? bytes.split('\0') : QList<QByteArray>();
    copies.removeAll(QByteArray());
    return copies;
}

} // namespace RecoveryCopy
