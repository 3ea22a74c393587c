#include "ui/main/EmptyListHint.h"

#include "data/ErrorMessages.h"

EmptyListHint EmptyListHintFor(bool czech, const QString &verseFile)
{
    const QString name = ErrorMessages::ShortName(verseFile);
    if (czech)
        return {QStringLiteral("Žádné verše"),
                QStringLiteral("Soubor %1 neobsahuje žádné verše. Verš přidáte tak, že v nabídce okna (pravé "
                               "tlačítko myši) zvolíte „Edit verses“ a pak tlačítko pro přidání verše.")
                    .arg(name)};
    return {QStringLiteral("No verses"),
            QStringLiteral("The file %1 holds no verses. To add one, choose \"Edit verses\" from the window menu "
                           "(right click), then the button that adds a verse.")
                .arg(name)};
}
