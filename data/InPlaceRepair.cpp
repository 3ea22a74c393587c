#include "data/InPlaceRepair.h"

#include "data/InPlaceWrite.h"
#include "data/PosixIo.h"
#include "data/RecoveryCopy.h"
#include "data/WriteJournal.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace InPlaceRepair {

namespace {

// Whether file is what a rewrite from old to now can leave when cut off:
// the new contents written from the start up to some byte, the old ones
// after it, at a length between the two.
bool MidRewrite(QByteArrayView file, QByteArrayView old, QByteArrayView now)
{
    if (file.size() < qMin(old.size(), now.size()) || file.size() > qMax(old.size(), now.size()))
        return false;
    for (qsizetype i = 0; i < file.size(); ++i) {
        const bool fromNew = i < now.size() && file[i] == now[i];
        const bool fromOld = i < old.size() && file[i] == old[i];
        if (!fromNew && !fromOld)
            return false;
    }
    return true;
}

} // namespace

bool Pending(const struct stat &file)
{
    const QByteArray journal = WriteJournal::PathFor(file);
    struct stat st = {};
    return !journal.isEmpty() && ::lstat(journal.constData(), &st) == 0;
}

LoadNotice Repair(int fd, const QByteArray &path)
{
    struct stat st = {};
    QByteArray bytes;
    const int error = ::fstat(fd, &st) == 0 ? PosixIo::ReadAll(fd, bytes) : errno;
    if (error != 0)
        return {LoadNotice::Kind::SaveNotFinished, {}, error};
    const QByteArray journal = WriteJournal::PathFor(st);
    int readError = 0;
    const std::optional<WriteJournal::Contents> contents = WriteJournal::Read(journal, st, readError);
    if (readError != 0)
        return {LoadNotice::Kind::SaveNotFinished, {}, readError}; // kept for another try
    LoadNotice notice;
    if (!contents || bytes == contents->now) {
        // Cut short before the file was touched, or cut off after it was whole.
    } else if (MidRewrite(bytes, contents->old, contents->now)) {
        notice.errnum = WriteWhole(fd, contents->now);
        notice.kind = notice.errnum == 0 ? LoadNotice::Kind::SaveFinished : LoadNotice::Kind::SaveNotFinished;
    } else {
        const RecoveryCopy::Written copy = RecoveryCopy::Write(path, contents->now);
        notice = copy.error == 0 ? LoadNotice{LoadNotice::Kind::SaveKeptAside, copy.path, 0}
                                 : LoadNotice{LoadNotice::Kind::SaveNotFinished, {}, copy.error};
    }
    if (notice.kind != LoadNotice::Kind::SaveNotFinished)
        WriteJournal::Remove(journal);
    return notice;
}

int RepairBeforeWrite(const QByteArray &path, const struct stat &file)
{
    const int fd = ::open(path.constData(), O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (fd < 0)
        return errno;
    struct stat st = {};
    int error = ::fstat(fd, &st) == 0 ? 0 : errno;
    if (error == 0 && (st.st_dev != file.st_dev || st.st_ino != file.st_ino))
        error = EAGAIN; // replaced meanwhile: let the user try again
    if (error == 0) {
        const LoadNotice notice = Repair(fd, path);
        if (notice.kind == LoadNotice::Kind::SaveNotFinished)
            error = notice.errnum != 0 ? notice.errnum : EIO;
        if (notice.kind == LoadNotice::Kind::SaveKeptAside)
            RecoveryCopy::NoteForNextStart(notice.copy);
    }
    ::close(fd);
    return error;
}

} // namespace InPlaceRepair
