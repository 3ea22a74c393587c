#include "data/WriteJournal.h"

#include "data/PosixIo.h"
#include "data/StateFolder.h"
#include "data/TempFile.h"

#include <QCryptographicHash>
#include <QList>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace WriteJournal {

namespace {

constexpr QByteArrayView kMagic = "LUMERA-JOURNAL 1";

// One line: magic, device, inode, the three lengths, and the hash of all
// that follows the line: the target path, the old and the new contents.
QByteArray Header(const struct stat &file, qsizetype target, qsizetype old, qsizetype now, const QByteArray &hash)
{
    QByteArray header = kMagic.toByteArray();
    for (qint64 number : {qint64(file.st_dev), qint64(file.st_ino), qint64(target), qint64(old), qint64(now)})
        header += ' ' + QByteArray::number(number);
    return header + ' ' + hash.toHex() + '\n';
}

QByteArray Hash(std::initializer_list<QByteArrayView> parts)
{
    QCryptographicHash hash(QCryptographicHash::Sha256);
    for (QByteArrayView part : parts)
        hash.addData(part);
    return hash.result();
}

int ReadFile(const QByteArray &path, QByteArray &bytes)
{
    const int fd = ::open(path.constData(), O_RDONLY | O_NOFOLLOW | O_NOCTTY | O_CLOEXEC);
    if (fd < 0)
        return errno;
    struct stat st = {};
    int error = ::fstat(fd, &st) == 0 ? 0 : errno;
    if (error == 0 && (!S_ISREG(st.st_mode) || st.st_uid != ::geteuid()))
        error = EPERM;
    if (error == 0)
        error = PosixIo::ReadAll(fd, bytes);
    ::close(fd);
    return error;
}

} // namespace

QByteArray PathFor(const struct stat &file)
{
    const QByteArray folder = StateFolder::Path();
    if (folder.isEmpty())
        return {};
    return folder + "/journal-" + QByteArray::number(quint64(file.st_dev)) + '-'
           + QByteArray::number(quint64(file.st_ino));
}

int Write(const struct stat &file, const QByteArray &target, QByteArrayView old, QByteArrayView now)
{
    const QByteArray path = PathFor(file);
    int error = path.isEmpty() ? ENOENT : StateFolder::Ensure();
    TempFile temp;
    if (error == 0)
        error = temp.CreateUnnamed(StateFolder::Path(), "journal");
    const QByteArray header = Header(file, target.size(), old.size(), now.size(), Hash({target, old, now}));
    qint64 at = 0;
    for (QByteArrayView part : {QByteArrayView(header), QByteArrayView(target), old, now}) {
        if (error == 0)
            error = PosixIo::WriteAt(temp.fd(), part, at);
        at += part.size();
    }
    if (error == 0 && ::fsync(temp.fd()) != 0)
        error = errno;
    if (error == 0)
        error = temp.NameAs(path);
    return error != 0 ? error : PosixIo::SyncFolder(StateFolder::Path());
}

std::optional<Contents> Read(const QByteArray &path, const struct stat &file, int &readError)
{
    QByteArray bytes;
    const int error = ReadFile(path, bytes);
    // Gone (another copy finished the rewrite first), or not a regular file
    // of the user's: no journal to act on.
    readError = error == ENOENT || error == EPERM ? 0 : error;
    if (error != 0)
        return std::nullopt;
    const qsizetype end = bytes.indexOf('\n');
    const QList<QByteArray> fields = bytes.left(qMax<qsizetype>(end, 0)).split(' ');
    if (end < 0 || fields.size() != 8 || fields[0] + ' ' + fields[1] != kMagic)
        return std::nullopt;
    qint64 numbers[5] = {};
    bool ok = true;
    for (int i = 0; i < 5 && ok; ++i)
        numbers[i] = fields[2 + i].toLongLong(&ok);
    const qint64 body = bytes.size() - end - 1;
    if (!ok || numbers[0] != qint64(file.st_dev) || numbers[1] != qint64(file.st_ino) || numbers[2] < 0
        || numbers[3] < 0 || numbers[4] < 0 || numbers[2] + numbers[3] + numbers[4] != body)
        return std::nullopt;
    const QByteArrayView rest = QByteArrayView(bytes).sliced(end + 1);
    Contents contents{rest.first(numbers[2]).toByteArray(), rest.sliced(numbers[2], numbers[3]).toByteArray(),
                      rest.last(numbers[4]).toByteArray()};
    if (Hash({contents.target, contents.old, contents.now}).toHex() != fields[7])
        return std::nullopt;
    return contents;
}

void Remove(const QByteArray &path)
{
    if (::unlink(path.constData()) == 0)
        PosixIo::SyncFolder(path.left(path.lastIndexOf('/')));
}

} // namespace WriteJournal
