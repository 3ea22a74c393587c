#include "ui/editor/VerseInput.h"

QString LineBreaksToSpaces(const QString &text)
{
    if (!text.contains(QLatin1Char('\n')))
        return text;
    QString joined = text;
    joined.replace(QLatin1String("\r\n"), QLatin1String(" "));
    joined.replace(QLatin1Char('\n'), QLatin1Char(' '));
    return joined;
}

VerseFields JoinOneLineFields(VerseFields fields)
{
    fields.title = LineBreaksToSpaces(fields.title);
    fields.number = LineBreaksToSpaces(fields.number);
    return fields;
}
