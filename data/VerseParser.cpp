#include "data/VerseParser.h"

#include "data/VerseFormat.h"

#include <cstring>

namespace {

// Room for the space after a last text line that has no line end.
QByteArray WithSpareByte(QByteArray bytes)
{
    bytes.append(' ');
    return bytes;
}

bool IsBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\f' || c == '\v';
}

// The lines in bytes (CR or LF ending each) that hold more than blanks and
// are not just the marker kept.
qsizetype CountDropped(QByteArrayView bytes, QByteArrayView kept)
{
    qsizetype count = 0;
    qsizetype begin = 0;
    for (qsizetype i = 0; i <= bytes.size(); ++i) {
        if (i < bytes.size() && bytes[i] != '\r' && bytes[i] != '\n')
            continue;
        QByteArrayView piece = bytes.sliced(begin, i - begin);
        while (!piece.isEmpty() && IsBlank(piece.front()))
            piece = piece.sliced(1);
        while (!piece.isEmpty() && IsBlank(piece.back()))
            piece.chop(1);
        count += !piece.isEmpty() && piece != kept;
        begin = i + 1;
    }
    return count;
}

} // namespace

VerseParser::VerseParser(QByteArray bytes)
    : m_bytes(WithSpareByte(std::move(bytes)))
    , m_base(m_bytes.data())
    , m_end(m_base + m_bytes.size() - 1)
    , m_lines(m_base, m_end)
    , m_checkTo(m_end)
{
}

// Takes the next line; false at the end marker.
inline bool VerseParser::OnLine(const Line &line)
{
    switch (m_expect) {
    case Expect::Title:
        if (line.hasDollar && QByteArrayView(line.begin, line.length).contains(kFileEnd)) {
            m_checkTo = line.next;
            m_dropped += CountDropped(QByteArrayView(line.begin, line.length), kFileEnd);
            m_dropped += CountDropped(QByteArrayView(line.next, m_end - line.next), {});
            return false;
        }
        m_title = line;
        m_expect = Expect::Number;
        break;
    case Expect::Number:
        m_number = line;
        m_text = m_to = line.next;
        m_expect = Expect::Text;
        break;
    case Expect::Text:
        if (line.hasHash) {
            if (line.length != 1)
                m_dropped += CountDropped(QByteArrayView(line.begin, line.length), kRecordEnd);
            EndRecord();
            m_expect = Expect::Title;
            break;
        }
        // Joined to the text before it, over the line ends in between.
        if (m_to != line.begin)
            std::memmove(m_to, line.begin, size_t(line.length));
        m_to[line.length] = ' ';
        m_to += line.length + 1;
        break;
    }
    return true;
}

VerseList VerseParser::Parse()
{
    m_lines.Scan([this](const Line &line) { return OnLine(line); });
    if (m_expect == Expect::Number)
        Add(QByteArrayView(m_title.begin, m_title.length), {}, {});
    else if (m_expect == Expect::Text)
        EndRecord();
    for (QList<QByteArray> *array : {&m_list.m_arrTitles, &m_list.m_arrNumbers, &m_list.m_arrContents})
        array->resize(m_count);
    m_list.m_nVerseCount = int(m_count);
    m_list.m_nCurrent = 0;
    // Checked as the bytes were read, before any join. No sequence runs
    // across a line end, so the first bad byte before the end of the end
    // marker's line decides.
    const char *const invalid = m_lines.FirstInvalidUtf8();
    m_utf8 = !invalid || invalid >= m_checkTo;
    m_list.m_fileBytes = std::move(m_bytes);
    return std::move(m_list);
}

// Adds the record read. What its joins left over after the text is never
// looked at again.
void VerseParser::EndRecord()
{
    Add(QByteArrayView(m_title.begin, m_title.length), QByteArrayView(m_number.begin, m_number.length),
        QByteArrayView(m_text, m_to - m_text));
}

// Each element refers to its bytes; an empty one stays a null array.
void VerseParser::Add(QByteArrayView title, QByteArrayView number, QByteArrayView contents)
{
    if (m_count == m_list.m_arrTitles.size())
        Grow();
    const auto set = [](QByteArray &element, QByteArrayView bytes) {
        if (!bytes.isEmpty())
            element = QByteArray::fromRawData(bytes.data(), bytes.size());
    };
    set(m_titles[m_count], title);
    set(m_numbers[m_count], number);
    set(m_contents[m_count], contents);
    ++m_count;
}

// Sizes the arrays for the verses to come: a few at first, then as many as
// the records read so far (up to the title of the one being added) suggest
// the whole file holds, with some room; never more than eight times as many
// as read, so short first records cannot make it reserve far too much.
void VerseParser::Grow()
{
    qsizetype size = 512;
    if (m_count > 0) {
        const double bytesPerVerse = double(m_title.begin - m_base) / double(m_count);
        const qsizetype estimate = qsizetype(double(m_end - m_base) / bytesPerVerse * 1.05) + 64;
        size = qBound(m_count + m_count / 4, estimate, 8 * m_count);
    }
    for (QList<QByteArray> *array : {&m_list.m_arrTitles, &m_list.m_arrNumbers, &m_list.m_arrContents}) {
        array->reserve(size); // exactly: resizing alone would leave room to spare
        array->resize(size);
    }
    m_titles = m_list.m_arrTitles.data();
    m_numbers = m_list.m_arrNumbers.data();
    m_contents = m_list.m_arrContents.data();
}
