#include "data/SaveMessages.h"

#include "data/ErrorMessages.h"

#include <QFile>

namespace SaveMessages {

namespace {

QString Named(const QString &text, const QString &first, const QString &second)
{
    return text.arg(ErrorMessages::ShortName(first), ErrorMessages::ShortName(second));
}

} // namespace

QString Changed(bool czech, const QString &fileName)
{
    return ErrorMessages::WithName(
        czech ? QStringLiteral("Soubor %s se od načtení na disku změnil.\n\nNahradit ho vašimi úpravami?")
              : QStringLiteral("The file %s was changed on disk since it was read.\n\nReplace it with your edits?"),
        fileName);
}

QString Vanished(bool czech, const QString &fileName)
{
    return ErrorMessages::WithName(
        czech ? QStringLiteral("Soubor %s byl od načtení smazán nebo přesunut.\n\nZapsat do něj vaše úpravy znovu?")
              : QStringLiteral("The file %s was deleted or moved since it was read.\n\nWrite your edits to it again?"),
        fileName);
}

QString DropsLines(bool czech, const QString &fileName, qsizetype lines)
{
    const QString count = QString::number(lines);
    if (czech)
        return QStringLiteral("Soubor %1 obsahuje řádky, které Lumera nedokáže zachovat (počet: %2): slova na řádku "
                              "se znakem „#“ nebo text na řádku se „$$$“ a za ním. Uložením vašich úprav se ztratí."
                              "\n\nPřesto úpravy uložit?")
            .arg(ErrorMessages::ShortName(fileName), count);
    return QStringLiteral("The file %1 holds %2 that Lumera cannot keep: words on a line with \"#\", or text on or "
                          "after the line with \"$$$\". Saving your edits drops them.\n\nSave your edits anyway?")
        .arg(ErrorMessages::ShortName(fileName),
             lines == 1 ? QStringLiteral("1 line") : count + QStringLiteral(" lines"));
}

QString NotSaved(bool czech, const QString &fileName)
{
    return ErrorMessages::WithName(
        czech
            ? QStringLiteral("Vaše úpravy nejsou uloženy v souboru %s.\n\nUložit je teď do tohoto souboru? Ne: soubor "
                             "zůstane, jak je, a vaše úpravy se ztratí.")
            : QStringLiteral("Your edits are not saved in the file %s.\n\nSave them over the file now? No leaves the "
                             "file as it is, and your edits are lost."),
        fileName);
}

QString KeptInCopy(bool czech, const QString &fileName, const QString &copy)
{
    return Named(czech
                     ? QStringLiteral("Vaše úpravy se nepodařilo uložit do souboru %1.\n\nJsou uschovány v souboru %2.")
                     : QStringLiteral("Your edits could not be saved in the file %1.\n\nThey were kept in %2."),
                 fileName, copy);
}

QString NotKept(bool czech, const QString &fileName, const FileError &error)
{
    return ErrorMessages::WithName(
               czech
                   ? QStringLiteral("Vaše úpravy se nepodařilo uložit do souboru %s ani do kopie vedle něj.\n\n")
                   : QStringLiteral("Your edits could not be saved in the file %s, nor kept in a copy beside it.\n\n"),
               fileName)
           + ErrorMessages::Reason(czech, error)
           + (czech ? QStringLiteral("\n\nLumera zůstane otevřená i s úpravami. Uvolněte místo a uložte je znovu "
                                     "zavřením editoru, nebo zavřete okno.")
                    : QStringLiteral("\n\nLumera stays open with your edits. Make room, then save them again by "
                                     "closing the editor, or close the window."));
}

QString KeptWhenEnded(bool czech, const QByteArrayList &copies)
{
    QString list;
    for (const QByteArray &copy : copies)
        list += QLatin1String("\n") + ErrorMessages::ShortName(QFile::decodeName(copy));
    return (czech ? QStringLiteral("Lumera byla ukončena dřív, než mohla uložit vaše úpravy. Jsou uschovány v:\n")
                  : QStringLiteral("Lumera was ended before it could save your edits. They were kept in:\n"))
           + list;
}

QString AfterCutOffSave(bool czech, const QString &fileName, const LoadNotice &notice)
{
    switch (notice.kind) {
    case LoadNotice::Kind::SaveFinished:
        return ErrorMessages::WithName(
            czech ? QStringLiteral("Ukládání souboru %s bylo minule přerušeno. Nyní bylo dokončeno: soubor obsahuje "
                                   "všechny verše z posledního uložení.")
                  : QStringLiteral("Saving the file %s was cut off last time. The save has now been finished: the "
                                   "file holds all the verses of that save."),
            fileName);
    case LoadNotice::Kind::SaveKeptAside:
        return Named(czech ? QStringLiteral("Ukládání souboru %1 bylo minule přerušeno a soubor se mezitím změnil. "
                                            "Verše z tohoto uložení jsou uschovány v souboru %2.")
                           : QStringLiteral("Saving the file %1 was cut off last time, and the file has changed since. "
                                            "The verses of that save were kept in %2."),
                     fileName, QFile::decodeName(notice.copy));
    case LoadNotice::Kind::SaveNotFinished:
        return ErrorMessages::WithName(czech ? QStringLiteral("Ukládání souboru %s bylo minule přerušeno a nyní ho "
                                                              "nelze dokončit:\n\n")
                                             : QStringLiteral("Saving the file %s was cut off last time, and it "
                                                              "cannot be finished now:\n\n"),
                                       fileName)
               + ErrorMessages::Reason(czech, FileError::FromErrno(notice.errnum))
               + (czech ? QStringLiteral("\n\nLumera to zkusí znovu při příštím spuštění.")
                        : QStringLiteral("\n\nLumera will try again at the next start."));
    case LoadNotice::Kind::None: break;
    }
    return {};
}

} // namespace SaveMessages
