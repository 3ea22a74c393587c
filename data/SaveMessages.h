#pragma once

#include "data/FileError.h"
#include "data/LoadNotice.h"

#include <QByteArrayList>
#include <QString>

// The texts of the questions and notes around a save, English or Czech by
// the language flag. File names go in as plain text, shortened when long.
namespace SaveMessages {

// Before replacing a verse file changed on disk since it was read.
QString Changed(bool czech, const QString &fileName);
// Before writing a verse file that was deleted or moved since it was read.
QString Vanished(bool czech, const QString &fileName);
// Before the first save over a file holding lines the list cannot give back.
QString DropsLines(bool czech, const QString &fileName, qsizetype lines);
// Before the window closes while the edits are not in the file.
QString NotSaved(bool czech, const QString &fileName);
// The edits went to a recovery copy instead of the verse file.
QString KeptInCopy(bool czech, const QString &fileName, const QString &copy);
// Neither the verse file nor a recovery copy could take the edits.
QString NotKept(bool czech, const QString &fileName, const FileError &error);
// At start: the copies kept when the program was last ended from outside.
QString KeptWhenEnded(bool czech, const QByteArrayList &copies);
// At start: what the load did about a save cut off (empty for nothing).
QString AfterCutOffSave(bool czech, const QString &fileName, const LoadNotice &notice);

} // namespace SaveMessages
