#include "data/AtomicWrite.h"

#include "data/InPlaceRepair.h"
#include "data/InPlaceWrite.h"
#include "data/PosixIo.h"
#include "data/TempFile.h"
#include "data/WriteTarget.h"

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

mode_t NewFileMode()
{
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

// What became of the new file beside the old one: renamed over it, stopped
// by an error, or not possible where the old file's owner, group or folder
// call for a rewrite in place instead.
struct Renamed
{
    enum class Route { Renamed, Failed, InPlace };
    Route route = Route::Renamed;
    int error = 0;
};

Renamed Fail(const struct stat *old, int error)
{
    const bool inPlace = old && (error == EACCES || error == EPERM);
    return {inPlace ? Renamed::Route::InPlace : Renamed::Route::Failed, inPlace ? 0 : error};
}

Renamed ReplaceByRename(const QByteArray &dir, const QByteArray &name, const struct stat *old, QByteArrayView bytes,
                        FileStamp &stamp)
{
    TempFile temp;
    int error = temp.CreateUnnamed(dir, name);
    if (error != 0)
        return Fail(old, error);
    if (old && ::fchown(temp.fd(), old->st_uid, old->st_gid) != 0)
        return {Renamed::Route::InPlace, 0};
    if (::fchmod(temp.fd(), old ? old->st_mode & 07777 : NewFileMode()) != 0)
        return {Renamed::Route::Failed, errno};
    error = PosixIo::WriteAt(temp.fd(), bytes, 0);
    if (error == 0 && ::fsync(temp.fd()) != 0)
        error = errno;
    if (error == 0)
        error = temp.GiveName(dir, name);
    if (error != 0)
        return {Renamed::Route::Failed, error};
    if (::rename(temp.path().constData(), (dir + '/' + name).constData()) != 0)
        return {Renamed::Route::Failed, errno};
    temp.ForgetName();
    stamp = FileStamp::OfDescriptor(temp.fd());
    // Renamed, but not yet surely on disk: told as a failure, with the stamp
    // of what the file now holds.
    const int synced = PosixIo::SyncFolder(dir);
    return {synced == 0 ? Renamed::Route::Renamed : Renamed::Route::Failed, synced};
}

} // namespace

WriteOutcome WriteFileAtomically(const QString &path, QByteArrayView bytes, const FileStamp *expected)
{
    const SizeSignalIgnored sizeSignal;
    WriteOutcome outcome;
    WriteTarget target;
    outcome.error = target.Open(path);
    if (!outcome.error)
        outcome.error = target.Trust();
    // A rewrite in place that was cut off is put right first: its journal
    // may hold the only whole copy of someone's verses.
    if (!outcome.error && target.Exists() && InPlaceRepair::Pending(target.Stat()))
        outcome.error = FileError::FromErrno(InPlaceRepair::RepairBeforeWrite(target.Path(), target.Stat()));
    if (outcome.error)
        return outcome;
    if (expected && (target.Exists() ? FileStamp::OfDescriptor(target.Handle()) : FileStamp()) != *expected) {
        outcome.changed = true;
        outcome.vanished = !target.Exists();
        return outcome;
    }
    const struct stat *old = target.Exists() ? &target.Stat() : nullptr;
    Renamed renamed{Renamed::Route::InPlace, 0};
    if (!old || old->st_nlink == 1)
        renamed = ReplaceByRename(target.Folder(), target.Name(), old, bytes, outcome.stamp);
    if (renamed.route == Renamed::Route::InPlace) {
        renamed.error = RewriteInPlace(target.Handle(), target.Path(), bytes);
        outcome.stamp = FileStamp::OfDescriptor(target.Handle());
    }
    outcome.error = FileError::FromErrno(renamed.error);
    return outcome;
}
