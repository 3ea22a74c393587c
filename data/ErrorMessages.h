#pragma once

#include <QString>

// The texts of the file messages, English or Czech by the language flag. A
// file name is substituted as plain text, never interpreted, and a long one
// is shortened to its start and end around an ellipsis, so that the message
// stays readable and quick to show.
namespace ErrorMessages {

QString CantOpenSettings(bool czech);
QString CantOpenVerseFile(bool czech, const QString &fileName);
// The open failure's text with the system's reason for a failed save (an
// errno, or kNotRegularFile) on a line of its own.
QString CantSaveVerseFile(bool czech, const QString &fileName, int error);
// The question before replacing a verse file changed on disk since it was read.
QString VerseFileChanged(bool czech, const QString &fileName);

// Names longer than this are shortened.
constexpr qsizetype kLongestName = 80;

} // namespace ErrorMessages
