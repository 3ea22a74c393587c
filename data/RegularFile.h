#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

// A regular file, or a link to one, opened for reading with plain system
// calls. It makes no Qt object, so it may be used on any thread before the
// application object exists. Anything else (a FIFO, a device, a folder) fails
// to open at once: it never blocks and never reads without end.
class RegularFile
{
public:
    // How the file is held while open: not locked (the settings file), with a
    // shared lock for a read, or for writing too, with an exclusive lock. A
    // locked file is the one at the path once the lock is held (FileLock).
    enum class Access { Unlocked, Read, ReadWrite };

    explicit RegularFile(const QString &path, Access access = Access::Unlocked);
    ~RegularFile();
    RegularFile(const RegularFile &) = delete;
    RegularFile &operator=(const RegularFile &) = delete;

    bool IsOpen() const { return m_fd >= 0; }
    // Why it is not open: an errno, or -1 for something not a regular file.
    int OpenError() const { return m_openError; }
    int Handle() const { return m_fd; }
    // Reads to the end; nullopt on an error, also when memory runs out. The
    // bytes have room to grow by one without moving.
    std::optional<QByteArray> ReadAll();

private:
    // Reads up to n bytes: the count read, 0 at the end, -1 on an error.
    qint64 Read(char *data, qint64 n);
    int OpenOnce(const QByteArray &name, Access access);

    int m_fd = -1;
    int m_openError = 0;
    qint64 m_size = 0;
};
