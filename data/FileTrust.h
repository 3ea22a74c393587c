#pragma once

#include <QString>

struct stat;

// Whether a file may steer or take the user's data: it must belong to the
// user (or to the superuser) and no one else may write it. A settings file
// planted by someone else could otherwise name any of the user's files as
// the verse file, which a save would then rewrite.
namespace FileTrust {

enum class Problem { None, OtherOwner, OthersMayWrite };

// The file as fstat gave it, and the link that led to it (lstat), if any:
// a link must belong to the user or the superuser too.
Problem Check(const struct stat &file, const struct stat *link = nullptr);
// The checks of Check on a path: a link there and the file it leads to.
Problem CheckPath(const QString &path);
// The user name of the owner the problem is about (its number when it has
// no name).
QString OwnerName(const QString &path);

} // namespace FileTrust
