#include "data/VerseParser.h"

#include "data/LineReader.h"
#include "data/TextEncoding.h"

#include <cstring>

namespace {

bool HasHash(QByteArrayView line)
{
    return !line.isEmpty() && std::memchr(line.data(), '#', size_t(line.size()));
}

bool HasEndMarker(QByteArrayView line)
{
    const char *p = line.data();
    const char *end = p + line.size();
    while (end - p >= 3) {
        p = static_cast<const char *>(std::memchr(p, '$', size_t(end - p - 2)));
        if (!p)
            return false;
        if (p[1] == '$' && p[2] == '$')
            return true;
        ++p;
    }
    return false;
}

QByteArray CopyOf(QByteArrayView bytes)
{
    return QByteArray(bytes.data(), bytes.size());
}

} // namespace

VerseParser::VerseParser(qsizetype expectedBytes)
{
    const qsizetype expectedVerses = expectedBytes / 128;
    m_list.m_arrTitles.reserve(expectedVerses);
    m_list.m_arrNumbers.reserve(expectedVerses);
    m_list.m_arrContents.reserve(expectedVerses);
    m_list.m_nCurrent = 0;
}

void VerseParser::Feed(QByteArrayView bytes)
{
    const qsizetype lastLf = bytes.lastIndexOf('\n');
    if (lastLf < 0) {
        m_pending.append(bytes);
        return;
    }
    qsizetype start = 0;
    if (!m_pending.isEmpty()) {
        // Line ends are plain ASCII, so checking the encoding line by line
        // gives the same answer as checking the whole file.
        const qsizetype firstLf = bytes.indexOf('\n');
        m_pending.append(bytes.first(firstLf + 1));
        FeedLines(m_pending);
        m_pending.clear();
        start = firstLf + 1;
    }
    FeedLines(bytes.sliced(start, lastLf + 1 - start));
    m_pending.append(bytes.sliced(lastLf + 1));
}

void VerseParser::FeedLines(QByteArrayView lines)
{
    LineReader reader(lines);
    QByteArrayView line;
    while (!m_done && reader.ReadLine(line))
        OnLine(line);
    CheckEncoding(lines.first(m_done ? reader.position() : lines.size()));
}

void VerseParser::OnLine(QByteArrayView line)
{
    switch (m_expect) {
    case Expect::Title:
        if (HasEndMarker(line)) {
            m_done = true;
            return;
        }
        // Verses of one chapter often share a title: they share its bytes too.
        if (line != QByteArrayView(m_lastTitle))
            m_lastTitle = CopyOf(line);
        m_title = m_lastTitle;
        m_expect = Expect::Number;
        return;
    case Expect::Number:
        m_number = CopyOf(line);
        m_text.clear();
        m_expect = Expect::Text;
        return;
    case Expect::Text:
        if (HasHash(line)) {
            m_list.Append(std::move(m_title), std::move(m_number), CopyOf(Text()));
            m_expect = Expect::Title;
            return;
        }
        m_text.append(line.data(), size_t(line.size()));
        m_text.push_back(' ');
        return;
    }
}

void VerseParser::CheckEncoding(QByteArrayView bytes)
{
    if (m_utf8)
        m_utf8 = TextEncoding::IsValidUtf8(bytes);
}

VerseList VerseParser::Finish()
{
    if (!m_done && !m_pending.isEmpty()) {
        const QByteArray last = std::move(m_pending);
        m_pending.clear();
        FeedLines(last);
    }
    if (m_expect == Expect::Number)
        m_list.Append(std::move(m_title), QByteArray(), QByteArray());
    else if (m_expect == Expect::Text)
        m_list.Append(std::move(m_title), std::move(m_number), CopyOf(Text()));
    m_expect = Expect::Title;
    m_done = true;
    return std::move(m_list);
}
