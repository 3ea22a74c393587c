#include "data/VerseFile.h"

#include "data/AtomicWrite.h"
#include "data/ErrorMessages.h"
#include "data/ErrorReporter.h"
#include "data/InPlaceRepair.h"
#include "data/RegularFile.h"
#include "data/VerseParser.h"

#include <QFile>

#include <cstring>
#include <new>
#include <sys/stat.h>
#include <unistd.h>

namespace {

bool HasByte(QByteArrayView line, char c)
{
    return !line.isEmpty() && std::memchr(line.data(), c, size_t(line.size()));
}

// Output buffer for the writer: lines go in as text mode writes them, every
// LF as CR LF.
class TextWriter
{
public:
    explicit TextWriter(qsizetype expected)
        : m_out(expected, Qt::Uninitialized)
    {
    }

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
    QByteArray copy;
    copy.reserve(bytes.size() + 1);
    copy.append(bytes);
    return VerseParser(std::move(copy)).Parse();
}

QByteArray VerseFile::Serialize(const VerseList &list)
{
    const qsizetype count = qMin<qsizetype>(
        list.m_nVerseCount, qMin(list.m_arrTitles.size(), qMin(list.m_arrNumbers.size(), list.m_arrContents.size())));
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
    m_stamp = FileStamp();
    m_dropped = 0;
    m_notice = LoadNotice();
    // The whole file in one buffer, which the list keeps: its elements refer
    // into it.
    std::optional<QByteArray> bytes = ReadLocked();
    if (!bytes) {
        m_stamp = FileStamp();
        ReportError(czech, reporter);
        return false;
    }
    try {
        VerseParser parser(std::move(*bytes));
        list = parser.Parse();
        m_encoding = TextEncoding(parser.IsUtf8() ? TextEncoding::Kind::Utf8 : TextEncoding::Kind::Windows1250);
        m_dropped = parser.DroppedLines();
    } catch (const std::bad_alloc &) {
        // Too many verses for the memory left: told as a file that cannot be read.
        list.Clear();
        list.m_nCurrent = 0;
        m_stamp = FileStamp();
        ReportError(czech, reporter);
        return false;
    }
    return true;
}

// The file's bytes, read under a shared lock; when a rewrite in place was
// cut off, under an exclusive one after the rewrite is put right.
std::optional<QByteArray> VerseFile::ReadLocked()
{
    {
        RegularFile file(m_path, RegularFile::Access::Read);
        struct stat st = {};
        if (!file.IsOpen() || ::fstat(file.Handle(), &st) != 0)
            return std::nullopt;
        if (!InPlaceRepair::Pending(st) || ::access(QFile::encodeName(m_path).constData(), W_OK) != 0) {
            m_stamp = FileStamp::OfDescriptor(file.Handle());
            return file.ReadAll();
        }
    }
    RegularFile file(m_path, RegularFile::Access::ReadWrite);
    if (!file.IsOpen())
        return std::nullopt;
    m_notice = InPlaceRepair::Repair(file.Handle(), QFile::encodeName(m_path));
    m_stamp = FileStamp::OfDescriptor(file.Handle());
    return file.ReadAll();
}

SaveResult VerseFile::Save(const VerseList &list, bool replaceChanged)
{
    const bool check = !replaceChanged && m_stamp.IsValid();
    const WriteOutcome outcome = WriteFileAtomically(m_path, Serialize(list), check ? &m_stamp : nullptr);
    if (outcome.changed)
        return {SaveResult::Status::ChangedOnDisk, {}, outcome.vanished};
    // A failed write may still have changed the file (put back, or renamed
    // but not surely on disk): a retry must not take that for a change by
    // someone else.
    if (outcome.stamp.IsValid())
        m_stamp = outcome.stamp;
    if (outcome.error)
        return {SaveResult::Status::Failed, outcome.error, false};
    m_dropped = 0;
    return {};
}

void VerseFile::ReportError(bool czech, ErrorReporter &reporter) const
{
    reporter.ReportFileError(ErrorMessages::CantOpenVerseFile(czech, m_path));
}
