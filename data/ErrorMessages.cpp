#include "data/ErrorMessages.h"

namespace ErrorMessages {

QString CantOpenSettings(bool czech)
{
    if (czech)
        return QStringLiteral("Chyba: Nemůžu otevřít soubor Lumera.ini\n\n"
                              "Soubor zřejmě v aktuálním adresáři neexistuje.");
    return QStringLiteral("Error: Can't open file Lumera.ini\n\n"
                          "The file doesn't exist in the current directory.");
}

QString CantOpenVerseFile(bool czech, const QString &fileName)
{
    const QString text = czech
        ? QStringLiteral("Chyba: Nemůžu otevřít soubor %s\n\n"
                         "Soubor uvedený v LUMERA.INI v položce FILE zřejmě v aktuálním adresáři neexistuje.")
        : QStringLiteral("Error: Can't open file %s\n\n"
                         "The file specified in LUMERA.INI in FILES section doesn't exist in the current directory.");
    const qsizetype at = text.indexOf(QLatin1String("%s"));
    return text.left(at) + fileName + text.mid(at + 2);
}

} // namespace ErrorMessages
