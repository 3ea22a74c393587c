#pragma once

#include <QByteArray>

// A new file made by the writers beside (or for) the file named name in dir,
// readable by its owner only. Unnamed where the file system allows, so that
// nothing is left behind if the process dies; else, or once named, it goes
// by a fresh hidden name no one can predict. Closed when destroyed, and its
// name removed unless kept.
class TempFile
{
public:
    TempFile() = default;
    ~TempFile();
    TempFile(const TempFile &) = delete;
    TempFile &operator=(const TempFile &) = delete;

    // Each returns 0 or the errno that stopped it.
    int CreateUnnamed(const QByteArray &dir, const QByteArray &name);
    int CreateNamed(const QByteArray &dir, const QByteArray &name);
    // Gives an unnamed file its hidden name; a named one keeps its own.
    int GiveName(const QByteArray &dir, const QByteArray &name);
    // Gives the file the name path, in place of any file of that name, and
    // keeps it there.
    int NameAs(const QByteArray &path);

    int fd() const { return m_fd; }
    const QByteArray &path() const { return m_path; }
    // The name no longer belongs to this file (it was renamed away).
    void ForgetName() { m_path.clear(); }

private:
    int m_fd = -1;
    QByteArray m_path;
};
