#pragma once

#include <QString>
#include <QtGlobal>

struct stat;

// What a file on disk was when it was last read or written: its device,
// inode, size and modification time to the nanosecond. A file rewritten or
// replaced since then has another stamp.
class FileStamp
{
public:
    FileStamp() = default;

    // The file open on fd; an empty stamp when it cannot be examined.
    static FileStamp OfDescriptor(int fd);
    // The file at path, links followed; an empty stamp for none, or for
    // anything but a regular file.
    static FileStamp OfPath(const QString &path);

    bool IsValid() const { return m_valid; }
    bool operator==(const FileStamp &other) const = default;

private:
    static FileStamp FromStat(const struct stat &st);

    bool m_valid = false;
    quint64 m_device = 0;
    quint64 m_inode = 0;
    qint64 m_size = 0;
    qint64 m_modifiedNs = 0;
};
