#include "data/VerseParser.h"

#include "data/LineReader.h"

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

QByteArray ViewOf(QByteArrayView bytes)
{
    return QByteArray::fromRawData(bytes.data(), bytes.size());
}

} // namespace

VerseParser::VerseParser(QByteArray bytes)
    : m_size(bytes.size())
{
    // Room for the space after a last text line that has no line end.
    bytes.append(' ');
    m_bytes = std::move(bytes);
    m_base = m_bytes.data();
}

VerseList VerseParser::Parse()
{
    LineReader reader(QByteArrayView(m_base, m_size));
    QByteArrayView line;
    while (!m_done && reader.ReadLine(line))
        OnLine(line);
    if (m_expect == Expect::Number)
        Add(ViewOf(m_title), QByteArray(), QByteArray());
    else if (m_expect == Expect::Text)
        EndRecord(m_size);
    m_list.m_arrTitles.resize(m_count);
    m_list.m_arrNumbers.resize(m_count);
    m_list.m_arrContents.resize(m_count);
    m_list.m_nVerseCount = int(m_count);
    // A join puts one space for each line end and blanks what is left over,
    // so the bytes are valid UTF-8 exactly when they were before.
    m_utf8 = QByteArrayView(m_base, m_done ? reader.position() : m_size).isValidUtf8();
    m_list.m_fileBytes = std::move(m_bytes);
    m_list.m_nCurrent = 0;
    return std::move(m_list);
}

void VerseParser::OnLine(QByteArrayView line)
{
    switch (m_expect) {
    case Expect::Title:
        if (HasEndMarker(line)) {
            m_done = true;
            return;
        }
        m_title = line;
        m_expect = Expect::Number;
        return;
    case Expect::Number:
        m_number = line;
        m_textBegin = m_textEnd = nullptr;
        m_expect = Expect::Text;
        return;
    case Expect::Text:
        if (HasHash(line)) {
            EndRecord(line.data() - m_base);
            m_expect = Expect::Title;
            return;
        }
        JoinTextLine(line);
        return;
    }
}

void VerseParser::JoinTextLine(QByteArrayView line)
{
    char *to = m_textEnd ? m_textEnd : At(line);
    if (to != line.data())
        std::memmove(to, line.data(), size_t(line.size()));
    to[line.size()] = ' ';
    if (!m_textBegin)
        m_textBegin = to;
    m_textEnd = to + line.size() + 1;
}

// Appends the record whose text lines end at textLimit.
void VerseParser::EndRecord(qsizetype textLimit)
{
    QByteArray text;
    if (m_textBegin) {
        char *const limit = m_base + textLimit;
        if (m_textEnd < limit)
            std::memset(m_textEnd, ' ', size_t(limit - m_textEnd));
        text = QByteArray::fromRawData(m_textBegin, m_textEnd - m_textBegin);
    }
    Add(ViewOf(m_title), ViewOf(m_number), std::move(text));
}

bool VerseParser::HasHash(QByteArrayView line)
{
    const qsizetype begin = line.data() - m_base;
    if (m_nextHash < begin)
        m_nextHash = FindHash(line.data(), m_base + m_size) - m_base;
    return m_nextHash < begin + line.size();
}

bool VerseParser::HasEndMarker(QByteArrayView line)
{
    const qsizetype begin = line.data() - m_base;
    if (m_nextEndMarker < begin)
        m_nextEndMarker = FindEndMarker(line.data(), m_base + m_size) - m_base;
    return m_nextEndMarker + 3 <= begin + line.size();
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

// Verses of a real file take 150 bytes or more: a first guess from the size
// is seldom passed.
void VerseParser::Grow()
{
    const qsizetype size = m_count ? m_count + m_count / 2 : qMax<qsizetype>(m_size / 128, 16);
    m_list.m_arrTitles.resize(size);
    m_list.m_arrNumbers.resize(size);
    m_list.m_arrContents.resize(size);
    m_titles = m_list.m_arrTitles.data();
    m_numbers = m_list.m_arrNumbers.data();
    m_contents = m_list.m_arrContents.data();
}
