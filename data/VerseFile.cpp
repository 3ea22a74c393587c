#include "data/VerseFile.h"

#include "data/AtomicWrite.h"
#include "data/ErrorMessages.h"
#include "data/ErrorReporter.h"
#include "data/LineReader.h"

#include <QFile>

#include <cstring>

namespace {

bool HasByte(QByteArrayView line, char c)
{
    return !line.isEmpty() && std::memchr(line.data(), c, size_t(line.size()));
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

// Finds the "#" of each record's terminator line with one search per record
// instead of one per line.
class HashFinder
{
public:
    explicit HashFinder(QByteArrayView bytes) : m_end(bytes.data() + bytes.size()) {}

    // The first "#" at or after p, or null.
    const char *From(const char *p)
    {
        if (m_searched && (!m_next || m_next >= p))
            return m_next;
        m_searched = true;
        m_next = static_cast<const char *>(std::memchr(p, '#', size_t(m_end - p)));
        return m_next;
    }

private:
    const char *m_end;
    const char *m_next = nullptr;
    bool m_searched = false;
};

// A verse text: its lines up to the one holding "#" (dropped) or the end of
// input, each followed by one space.
QByteArray ReadContents(LineReader &reader, HashFinder &hashes)
{
    const QByteArrayView all = reader.bytes();
    const char *base = all.data();
    const char *start = base + reader.position();
    const char *end = base + all.size();
    const char *hash = start < end ? hashes.From(start) : nullptr;
    const char *textEnd = end;
    if (hash) {
        const void *lf = memrchr(start, '\n', size_t(hash - start));
        textEnd = lf ? static_cast<const char *>(lf) + 1 : start;
        const void *terminatorEnd = std::memchr(hash, '\n', size_t(end - hash));
        reader.Seek(terminatorEnd ? static_cast<const char *>(terminatorEnd) - base + 1 : all.size());
    } else {
        reader.Seek(all.size());
    }

    // Each line end becomes the one space, so the text is never longer than
    // its lines plus one space for a last line without a line end.
    QByteArray contents(textEnd - start + 1, Qt::Uninitialized);
    char *out = contents.data();
    LineReader text(QByteArrayView(start, textEnd - start));
    QByteArrayView line;
    while (text.ReadLine(line)) {
        if (!line.isEmpty())
            std::memcpy(out, line.data(), size_t(line.size()));
        out += line.size();
        *out++ = ' ';
    }
    contents.truncate(out - contents.constData());
    return contents;
}

// Output buffer for the writer: lines go in as text mode writes them, every
// LF as CR LF.
class TextWriter
{
public:
    explicit TextWriter(qsizetype expected) : m_out(expected, Qt::Uninitialized) {}

    void WriteLine(QByteArrayView text)
    {
        if (HasByte(text, '\n')) {
            for (char c : text) {
                if (c == '\n')
                    Put("\r", 1);
                Put(&c, 1);
            }
        } else {
            Put(text.data(), text.size());
        }
        Put("\r\n", 2);
    }

    QByteArray Take()
    {
        m_out.truncate(m_used);
        return std::move(m_out);
    }

private:
    void Put(const char *data, qsizetype n)
    {
        if (n == 0)
            return;
        if (m_used + n > m_out.size())
            m_out.resize(qMax(m_out.size() * 2, m_used + n));
        std::memcpy(m_out.data() + m_used, data, size_t(n));
        m_used += n;
    }

    QByteArray m_out;
    qsizetype m_used = 0;
};

// Breaks a text into lines so that reading them back (each line plus one
// space) gives the text again. The one space that reading adds after the last
// line is not written, and lines are measured without it. A break space is
// left to the reader to add back, unless a second space follows it: then the
// line keeps the first, so text wrapped with its break spaces at the line
// ends comes back in exactly the same lines.
void WriteWrapped(TextWriter &out, QByteArrayView rest)
{
    if (rest.isEmpty())
        return;
    if (rest.endsWith(' '))
        rest.chop(1);
    while (rest.size() > VerseFile::kWrapLength) {
        const qsizetype space = rest.indexOf(' ', VerseFile::kWrapSearchFrom);
        if (space < 0)
            break; // no break point: the rest goes on one line
        const bool keepSpace = space + 1 < rest.size() && rest[space + 1] == ' ';
        out.WriteLine(rest.first(keepSpace ? space + 1 : space));
        rest = rest.sliced(space + (keepSpace ? 2 : 1));
    }
    out.WriteLine(rest);
}

} // namespace

VerseList VerseFile::Parse(QByteArrayView bytes)
{
    VerseList list;
    list.m_nCurrent = 0;
    const qsizetype expected = bytes.size() / 128;
    list.m_arrTitles.reserve(expected);
    list.m_arrNumbers.reserve(expected);
    list.m_arrContents.reserve(expected);
    LineReader reader(bytes);
    HashFinder hashes(bytes);
    QByteArrayView title;
    while (reader.ReadLine(title) && !HasEndMarker(title)) {
        QByteArrayView number;
        if (!reader.ReadLine(number))
            number = {};
        list.Append(title.toByteArray(), number.toByteArray(), ReadContents(reader, hashes));
    }
    return list;
}

QByteArray VerseFile::Serialize(const VerseList &list)
{
    const qsizetype count = qMin<qsizetype>(list.m_nVerseCount,
                                            qMin(list.m_arrTitles.size(),
                                                 qMin(list.m_arrNumbers.size(), list.m_arrContents.size())));
    qsizetype expected = 5;
    for (qsizetype i = 0; i < count; ++i)
        expected += list.m_arrTitles[i].size() + list.m_arrNumbers[i].size() + list.m_arrContents[i].size() + 24;
    TextWriter out(expected);
    for (qsizetype i = 0; i < count; ++i) {
        out.WriteLine(list.m_arrTitles[i]);
        out.WriteLine(list.m_arrNumbers[i]);
        WriteWrapped(out, list.m_arrContents[i]);
        out.WriteLine("#");
    }
    out.WriteLine("$$$");
    return out.Take();
}

bool VerseFile::Load(VerseList &list, bool czech, ErrorReporter &reporter)
{
    list.Clear();
    list.m_nCurrent = 0;
    m_encoding = TextEncoding();
    QFile file(m_path);
    QByteArray bytes;
    if (file.open(QIODevice::ReadOnly))
        bytes = file.readAll();
    if (!file.isOpen() || file.error() != QFileDevice::NoError) {
        ReportError(czech, reporter);
        return false;
    }
    file.close();
    m_encoding = TextEncoding::Detect(bytes);
    list = Parse(bytes);
    return true;
}

bool VerseFile::Save(const VerseList &list, bool czech, ErrorReporter &reporter) const
{
    const bool saved = WriteFileAtomically(m_path, Serialize(list));
    if (!saved)
        ReportError(czech, reporter);
    return saved;
}

void VerseFile::ReportError(bool czech, ErrorReporter &reporter) const
{
    reporter.ReportFileError(ErrorMessages::CantOpenVerseFile(czech, m_path));
}
