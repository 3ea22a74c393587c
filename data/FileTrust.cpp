#include "data/FileTrust.h"

#include <QFile>

#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

namespace FileTrust {

namespace {

bool OwnedByUserOrSuperuser(const struct stat &st)
{
    return st.st_uid == ::geteuid() || st.st_uid == 0;
}

// Group write counts as others' only for a group other than the user's own.
bool OthersMayWrite(const struct stat &st)
{
    return (st.st_mode & S_IWOTH) != 0 || ((st.st_mode & S_IWGRP) != 0 && st.st_gid != ::getegid());
}

} // namespace

Problem Check(const struct stat &file, const struct stat *link)
{
    if (!OwnedByUserOrSuperuser(file) || (link && !OwnedByUserOrSuperuser(*link)))
        return Problem::OtherOwner;
    return OthersMayWrite(file) ? Problem::OthersMayWrite : Problem::None;
}

Problem CheckPath(const QString &path)
{
    const QByteArray name = QFile::encodeName(path);
    struct stat link = {};
    struct stat file = {};
    if (::lstat(name.constData(), &link) != 0 || ::stat(name.constData(), &file) != 0)
        return Problem::None; // nothing there to trust or distrust
    return Check(file, S_ISLNK(link.st_mode) ? &link : nullptr);
}

QString OwnerName(const QString &path)
{
    const QByteArray name = QFile::encodeName(path);
    struct stat link = {};
    struct stat file = {};
    if (::lstat(name.constData(), &link) != 0)
        return {};
    // The link's owner when the link is the stranger's, else the file's.
    uid_t owner = link.st_uid;
    if (S_ISLNK(link.st_mode) && ::stat(name.constData(), &file) == 0 && (owner == ::geteuid() || owner == 0))
        owner = file.st_uid;
    struct passwd entry = {};
    struct passwd *found = nullptr;
    char buffer[1024];
    if (::getpwuid_r(owner, &entry, buffer, sizeof buffer, &found) == 0 && found)
        return QString::fromLocal8Bit(found->pw_name);
    return QString::number(owner);
}

} // namespace FileTrust
