#include "data/ErrorMessages.h"

#include "data/AtomicWrite.h"

namespace ErrorMessages {

namespace {

QString ShortName(const QString &name)
{
    if (name.size() <= kLongestName)
        return name;
    qsizetype head = kLongestName / 2 - 1;
    qsizetype tail = name.size() - (kLongestName - head - 1);
    // Never cut a character written as two UTF-16 units in half.
    if (name.at(head).isLowSurrogate())
        --head;
    if (name.at(tail).isLowSurrogate())
        ++tail;
    return name.left(head) + QChar(0x2026) + name.mid(tail);
}

// text with its one "%s" replaced by the (shortened) file name.
QString WithName(const QString &text, const QString &fileName)
{
    const qsizetype at = text.indexOf(QLatin1String("%s"));
    return text.left(at) + ShortName(fileName) + text.mid(at + 2);
}

QString Reason(bool czech, int error)
{
    if (error != kNotRegularFile)
        return qt_error_string(error);
    return czech ? QStringLiteral("Není to obyčejný soubor") : QStringLiteral("Not a regular file");
}

} // namespace

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
    return WithName(czech ? QStringLiteral("Chyba: Nemůžu otevřít soubor %s\n\n"
                                           "Soubor uvedený v LUMERA.INI v položce FILE zřejmě v aktuálním adresáři "
                                           "neexistuje.")
                          : QStringLiteral("Error: Can't open file %s\n\n"
                                           "The file specified in LUMERA.INI in FILES section doesn't exist in the "
                                           "current directory."),
                    fileName);
}

QString CantSaveVerseFile(bool czech, const QString &fileName, int error)
{
    return CantOpenVerseFile(czech, fileName) + QLatin1String("\n\n") + Reason(czech, error);
}

QString VerseFileChanged(bool czech, const QString &fileName)
{
    return WithName(czech ? QStringLiteral("Soubor %s se od načtení na disku změnil.\n\nNahradit ho vašimi úpravami?")
                          : QStringLiteral("The file %s was changed on disk since it was read.\n\n"
                                           "Replace it with your edits?"),
                    fileName);
}

} // namespace ErrorMessages
