#pragma once

#include "data/FileError.h"

#include <QString>

// The texts of the file messages, English or Czech by the language flag. A
// file name is substituted as plain text, never interpreted, and a long one
// is shortened to its start and end around an ellipsis, so that the message
// stays readable and quick to show.
namespace ErrorMessages {

QString CantOpenSettings(bool czech);
// A settings file that is not the user's own (see FileTrust), with its owner.
QString CantTrustSettings(bool czech, bool otherOwner, const QString &owner);
QString CantOpenVerseFile(bool czech, const QString &fileName);
// The open failure's text with the reason for a failed save on a line of
// its own.
QString CantSaveVerseFile(bool czech, const QString &fileName, const FileError &error);
// Why a file could not be written: the system's words for an errno, or ours.
QString Reason(bool czech, const FileError &error);

// A name as the messages show it: a long one shortened around an ellipsis.
QString ShortName(const QString &name);
// text with its one "%s" replaced by the (shortened) file name.
QString WithName(const QString &text, const QString &fileName);

// Names longer than this are shortened.
constexpr qsizetype kLongestName = 80;

} // namespace ErrorMessages
