#pragma once

#include "data/FileError.h"

#include <QByteArray>
#include <QString>

#include <sys/stat.h>

// The file a save replaces, found and held for the save: links are followed
// to the file they lead to, also one that is gone, so a save never puts a
// file in a link's place. An existing file is opened for writing and locked
// exclusively, and is still the one at its path once the lock is held; where
// there is no file, its folder is locked instead, so that two saves creating
// it take turns too. Released when destroyed.
class WriteTarget
{
public:
    WriteTarget() = default;
    ~WriteTarget();
    WriteTarget(const WriteTarget &) = delete;
    WriteTarget &operator=(const WriteTarget &) = delete;

    // Finds, opens and locks the file for path. Only a regular file the user
    // may write is opened: a folder, device or pipe of that name and a
    // write-protected file (for the superuser: one with no write permission
    // for anyone) are refused.
    FileError Open(const QString &path);

    bool Exists() const { return m_fd >= 0; }
    int Handle() const { return m_fd; }
    // The file's stats while it exists.
    const struct stat &Stat() const { return m_stat; }
    // The file's path after all links, its folder and its name.
    const QByteArray &Path() const { return m_path; }
    QByteArray Folder() const;
    QByteArray Name() const;
    // Whether the file, and the link that led to it, are the user's to write.
    FileError Trust() const;

private:
    FileError OpenOnce();
    FileError LockFolder();
    void Close();

    QByteArray m_path;
    int m_fd = -1;
    int m_folderFd = -1;
    struct stat m_stat = {};
    struct stat m_link = {};
    bool m_viaLink = false;
};
