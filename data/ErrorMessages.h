#pragma once

#include <QString>

// The texts of the file-error messages, English or Czech by the language flag.
namespace ErrorMessages {

QString CantOpenSettings(bool czech);
// fileName is substituted as plain text, never interpreted.
QString CantOpenVerseFile(bool czech, const QString &fileName);

} // namespace ErrorMessages
