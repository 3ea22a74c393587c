#include "data/ErrorMessages.h"

namespace ErrorMessages {

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

QString WithName(const QString &text, const QString &fileName)
{
    const qsizetype at = text.indexOf(QLatin1String("%s"));
    return text.left(at) + ShortName(fileName) + text.mid(at + 2);
}

QString Reason(bool czech, const FileError &error)
{
    switch (error.kind) {
    case FileError::Kind::NotRegularFile:
        return czech ? QStringLiteral("Není to obyčejný soubor") : QStringLiteral("Not a regular file");
    case FileError::Kind::OtherOwner:
        return czech ? QStringLiteral("Patří jinému uživateli.") : QStringLiteral("It belongs to another user.");
    case FileError::Kind::OthersMayWrite:
        return czech ? QStringLiteral("Mohou ho měnit i jiní uživatelé.")
                     : QStringLiteral("Other users may change it.");
    case FileError::Kind::Busy:
        return czech ? QStringLiteral("Jiný program ho používal příliš dlouho.")
                     : QStringLiteral("Another program kept it in use.");
    case FileError::Kind::System:
    case FileError::Kind::None: break;
    }
    return qt_error_string(error.errnum);
}

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

QString CantSaveVerseFile(bool czech, const QString &fileName, const FileError &error)
{
    return CantOpenVerseFile(czech, fileName) + QLatin1String("\n\n") + Reason(czech, error);
}

QString CantTrustSettings(bool czech, bool otherOwner, const QString &owner)
{
    QString why;
    if (czech)
        why = otherOwner ? QStringLiteral("Soubor patří jinému uživateli (%s).")
                         : QStringLiteral("Soubor mohou měnit i jiní uživatelé (vlastník: %s).");
    else
        why = otherOwner ? QStringLiteral("The file belongs to another user (%s).")
                         : QStringLiteral("Other users may change the file (owner: %s).");
    const QString rule =
        czech ? QStringLiteral(" Lumera čte jen vlastní soubor nastavení, který nikdo jiný nemůže měnit.")
              : QStringLiteral(" Lumera only reads a settings file of your own that no one else may change.");
    const QString head = CantOpenSettings(czech);
    return head.left(head.indexOf(QLatin1String("\n\n")) + 2) + WithName(why, owner) + rule;
}

} // namespace ErrorMessages
