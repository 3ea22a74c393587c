#include "data/VerseParser.h"

#include <cstring>

namespace {

// The first "$$$" in [p, end), or end.
const char *FindEndMarker(const char *p, const char *end)
{
    while (end - p >= 3) {
        p = static_cast<const char *>(std::memchr(p, '$', size_t(end - p - 2)));
        if (!p)
            break;
        if (p[1] == '$' && p[2] == '$')
            return p;
        ++p;
    }
    return end;
}

const char *FindHash(const char *p, const char *end)
{
    const void *hash = p < end ? std::memchr(p, '#', size_t(end - p)) : nullptr;
    return hash ? static_cast<const char *>(hash) : end;
}

QByteArray ViewOf(const char *begin, qsizetype length)
{
    return QByteArray::fromRawData(begin, length);
}

} // namespace

VerseParser::VerseParser(QByteArray bytes)
{
    const qsizetype size = bytes.size();
    // Room for the space after a last text line that has no line end.
    bytes.append(' ');
    m_bytes = std::move(bytes);
    m_base = m_bytes.data();
    m_end = m_base + size;
}

VerseList VerseParser::Parse()
{
    m_nextHash = FindHash(m_base, m_end);
    m_nextEndMarker = FindEndMarker(m_base, m_end);
    char *p = m_base;
    const char *checkTo = m_end;
    while (p < m_end) {
        const Line title = LineAt(p);
        if (HasEndMarker(title)) {
            checkTo = title.next;
            break;
        }
        m_recordBegin = p;
        p = ReadRecord(title);
    }
    for (QList<QByteArray> *array : {&m_list.m_arrTitles, &m_list.m_arrNumbers, &m_list.m_arrContents})
        array->resize(m_count);
    m_list.m_nVerseCount = int(m_count);
    m_list.m_nCurrent = 0;
    // A join puts one space for each line end and blanks what is left over,
    // so the bytes are valid UTF-8 exactly when they were before.
    m_utf8 = QByteArrayView(m_base, checkTo - m_base).isValidUtf8();
    m_list.m_fileBytes = std::move(m_bytes);
    return std::move(m_list);
}

inline VerseParser::Line VerseParser::LineAt(char *p) const
{
    char *lf = static_cast<char *>(std::memchr(p, '\n', size_t(m_end - p)));
    if (!lf)
        return {p, m_end - p, m_end};
    const qsizetype length = lf - p;
    return {p, length > 0 && lf[-1] == '\r' ? length - 1 : length, lf + 1};
}

inline bool VerseParser::HasHash(const Line &line)
{
    if (m_nextHash < line.begin)
        m_nextHash = FindHash(line.begin, m_end);
    return m_nextHash < line.begin + line.length;
}

// Reads the record after its title line, joining its text lines in place;
// returns where the next record begins.
char *VerseParser::ReadRecord(const Line &title)
{
    if (title.next == m_end) {
        Add(ViewOf(title.begin, title.length), QByteArray(), QByteArray());
        return m_end;
    }
    const Line number = LineAt(title.next);
    char *const text = number.next;
    char *to = text;
    char *p = text;
    Line line{};
    while (p < m_end && !HasHash(line = LineAt(p))) {
        if (to != p)
            std::memmove(to, p, size_t(line.length));
        to[line.length] = ' ';
        to += line.length + 1;
        p = line.next;
    }
    if (to < p)
        std::memset(to, ' ', size_t(p - to));
    Add(ViewOf(title.begin, title.length), ViewOf(number.begin, number.length),
        to == text ? QByteArray() : ViewOf(text, to - text));
    return p < m_end ? line.next : m_end;
}

bool VerseParser::HasEndMarker(const Line &line)
{
    if (m_nextEndMarker < line.begin)
        m_nextEndMarker = FindEndMarker(line.begin, m_end);
    const char *const lineEnd = line.begin + line.length;
    return m_nextEndMarker < lineEnd && lineEnd - m_nextEndMarker >= 3;
}

void VerseParser::Add(QByteArray title, QByteArray number, QByteArray contents)
{
    if (m_count == m_list.m_arrTitles.size())
        Grow();
    m_titles[m_count] = std::move(title);
    m_numbers[m_count] = std::move(number);
    m_contents[m_count] = std::move(contents);
    ++m_count;
}

// Sizes the arrays for the verses to come: a few at first, then as many as
// the bytes read so far suggest the whole file holds, with some room.
void VerseParser::Grow()
{
    qsizetype size = 512;
    if (m_count > 0) {
        const double bytesPerVerse = double(m_recordBegin - m_base) / double(m_count);
        size = qMax(m_count + m_count / 4, qsizetype(double(m_end - m_base) / bytesPerVerse * 1.05) + 64);
    }
    for (QList<QByteArray> *array : {&m_list.m_arrTitles, &m_list.m_arrNumbers, &m_list.m_arrContents}) {
        array->reserve(size); // exactly: resizing alone would leave room to spare
        array->resize(size);
    }
    m_titles = m_list.m_arrTitles.data();
    m_numbers = m_list.m_arrNumbers.data();
    m_contents = m_list.m_arrContents.data();
}
