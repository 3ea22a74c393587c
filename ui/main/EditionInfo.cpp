#include "ui/main/EditionInfo.h"

QString EditionInfoCaption(bool czech)
{
    return czech ? QStringLiteral("Verze programu") : QStringLiteral("Edition");
}

QString EditionInfoText()
{
    return QStringLiteral("This edition belongs to the Quiet Pages Fellowship.\n"
                          "\n"
                          "P.O. Box 1187, Fernhollow, VT 05999\n"
                          "www.quietpages-fellowship.example\n"
                          "\n"
                          "Program vychází z metody studia Bible, kterou vypracovalo\n"
                          "společenství T.L.S., Brambleford, Ohio, USA.");
}
