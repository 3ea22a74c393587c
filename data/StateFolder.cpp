#include "data/StateFolder.h"

#include <cerrno>
#include <cstdlib>
#include <sys/stat.h>
#include <unistd.h>

namespace StateFolder {

namespace {

QByteArray FromEnvironment()
{
    const char *state = std::getenv("XDG_STATE_HOME");
    if (state && *state == '/')
        return QByteArray(state) + "/Lumera";
    const char *home = std::getenv("HOME");
    if (home && *home == '/')
        return QByteArray(home) + "/.local/state/Lumera";
    return {};
}

// mkdir -p, each new folder for the user alone.
int MakeWithParents(const QByteArray &path)
{
    for (qsizetype slash = path.indexOf('/', 1); slash != -1; slash = path.indexOf('/', slash + 1)) {
        if (::mkdir(path.left(slash).constData(), 0700) != 0 && errno != EEXIST)
            return errno;
    }
    return ::mkdir(path.constData(), 0700) == 0 || errno == EEXIST ? 0 : errno;
}

} // namespace

namespace {

QByteArray &CachedPath()
{
    static QByteArray path = FromEnvironment();
    return path;
}

} // namespace

QByteArray Path()
{
    return CachedPath();
}

void UsePath(const QByteArray &path)
{
    CachedPath() = path;
}

int Ensure()
{
    const QByteArray path = Path();
    if (path.isEmpty())
        return ENOENT;
    if (const int error = MakeWithParents(path))
        return error;
    struct stat st = {};
    if (::lstat(path.constData(), &st) != 0)
        return errno;
    if (!S_ISDIR(st.st_mode))
        return ENOTDIR;
    return st.st_uid == ::geteuid() && (st.st_mode & 022) == 0 ? 0 : EPERM;
}

} // namespace StateFolder
