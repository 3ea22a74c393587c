#include "data/VerseFormat.h"

namespace {

bool HasLineBreak(const QString &text)
{
    return text.contains(QLatin1Char('\n'));
}

} // namespace

bool FileCanHold(const VerseFields &fields)
{
    return !fields.title.contains(QLatin1String(kFileEnd)) && !HasLineBreak(fields.title)
           && !HasLineBreak(fields.number) && !fields.contents.contains(QLatin1String(kRecordEnd));
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
