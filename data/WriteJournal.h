#pragma once

#include <QByteArray>
#include <QByteArrayView>

#include <optional>

struct stat;

// The record of an in-place rewrite while it runs: the file's old and new
// contents, in the user's state folder under the file's device and inode
// number (which a rewrite in place keeps). It is whole and on disk before the
// first byte of the file changes, and removed once the file holds the new
// contents on disk. One found when the file is next opened tells that a
// rewrite was cut off, and holds what is needed to finish it.
namespace WriteJournal {

struct Contents
{
    QByteArray target; // the path the file was written under
    QByteArray old;
    QByteArray now;
};

// Where the journal of the file with these stats lives; empty without a
// state folder.
QByteArray PathFor(const struct stat &file);
// Writes the journal for file: flushed to disk under a passing name, then
// given its own. 0, or the errno that stopped it.
int Write(const struct stat &file, const QByteArray &target, QByteArrayView old, QByteArrayView now);
// The journal at path, if it is whole, the user's own and for this file;
// nullopt for one cut short or damaged (which no rewrite ever acted on), and
// for one that could not be read, with readError set to why (else 0).
std::optional<Contents> Read(const QByteArray &path, const struct stat &file, int &readError);
// Removes the journal at path and flushes its folder.
void Remove(const QByteArray &path);

} // namespace WriteJournal
