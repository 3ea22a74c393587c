#include "ui/editor/VerseInput.h"

namespace {

bool HasLineBreak(const QString &text)
{
    return text.contains(QLatin1Char('\n'));
}

} // namespace

QString LineBreaksToSpaces(const QString &text)
{
    if (!HasLineBreak(text))
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

bool FileCanHold(const VerseFields &fields)
{
    return !fields.title.contains(QLatin1String("$$$")) && !HasLineBreak(fields.title) && !HasLineBreak(fields.number)
           && !fields.contents.contains(QLatin1Char('#'));
}

std::optional<VerseBytes> EncodeForFile(const VerseFields &fields, const TextEncoding &encoding)
{
    if (!FileCanHold(fields))
        return std::nullopt;
    std::optional<QByteArray> title = encoding.Encode(fields.title);
    std::optional<QByteArray> number = encoding.Encode(fields.number);
    std::optional<QByteArray> contents = encoding.Encode(fields.contents);
    if (!title || !number || !contents)
        return std::nullopt;
    return VerseBytes{std::move(*title), std::move(*number), std::move(*contents)};
}
