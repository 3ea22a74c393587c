#include "data/VerseSearch.h"

#include <algorithm>

namespace {

// Ends every field: no words typed can hold it, so no match runs from one
// field into the next.
constexpr QChar kFieldEnd(u'\x01');

// Folds case in place: quick for the plain letters most texts are made of,
// by Unicode's rules for the others (each UTF-16 unit on its own).
void FoldCase(QString &text)
{
    for (QChar &c : text) {
        const char16_t unit = c.unicode();
        if (unit < 0x80)
            c = QChar(unit >= u'A' && unit <= u'Z' ? unit + (u'a' - u'A') : unit);
        else if (!c.isSurrogate())
            c = c.toCaseFolded();
    }
}

} // namespace

VerseSearch::VerseSearch(const QList<QByteArray> *titles, const QList<QByteArray> *numbers,
                         const QList<QByteArray> *contents, TextEncoding encoding)
    : m_titles(titles)
    , m_numbers(numbers)
    , m_contents(contents)
    , m_encoding(encoding)
{
}

void VerseSearch::Build()
{
    const qsizetype count = std::min({m_titles->size(), m_numbers->size(), m_contents->size()});
    qsizetype bytes = 0;
    for (qsizetype i = 0; i < count; ++i)
        bytes += m_titles->at(i).size() + m_numbers->at(i).size() + m_contents->at(i).size() + 3;
    QString all;
    all.reserve(bytes);
    m_starts.resize(count);
    QStringDecoder decoder = m_encoding.Decoder();
    for (qsizetype i = 0; i < count; ++i) {
        m_starts[i] = all.size();
        for (const QList<QByteArray> *field : {m_titles, m_numbers, m_contents}) {
            decoder.resetState();
            all += decoder.decode(field->at(i));
            all += kFieldEnd;
        }
    }
    FoldCase(all);
    m_folded = std::move(all);
    m_built = true;
}

int VerseSearch::VerseAt(qsizetype offset) const
{
    return int(std::upper_bound(m_starts.cbegin(), m_starts.cend(), offset) - m_starts.cbegin()) - 1;
}

int VerseSearch::Find(const QString &words, int from, bool forward)
{
    QString needle = words;
    needle.remove(kFieldEnd);
    FoldCase(needle);
    if (needle.isEmpty())
        return -1;
    if (!m_built)
        Build();
    if (m_starts.isEmpty())
        return -1;
    const int count = int(m_starts.size());
    from = std::clamp(from, -1, count - 1);
    qsizetype at = -1;
    if (forward) {
        const qsizetype after = from + 1 < count ? m_starts[from + 1] : m_folded.size();
        at = m_folded.indexOf(needle, after);
        if (at < 0)
            at = m_folded.indexOf(needle);
    } else {
        const qsizetype before = from >= 0 ? m_starts[from] : 0;
        at = before - needle.size() >= 0 ? m_folded.lastIndexOf(needle, before - needle.size()) : -1;
        if (at < 0)
            at = m_folded.lastIndexOf(needle);
    }
    return at < 0 ? -1 : VerseAt(at);
}
