// The verse-file reader and writer on any bytes B: L = load(B) must be what
// a plain line-by-line reading gives, load(save(L)) must equal L and a
// second save must give the same bytes.
// B is also read from a file, as the program reads it, which must give L and
// the encoding its bytes call for. The UTF-8 check is compared with Qt's own decoder on
// the way.
#include "data/ErrorReporter.h"
#include "data/LineReader.h"
#include "data/TextEncoding.h"
#include "data/VerseFile.h"

#include <QStringDecoder>

#include <cstdio>
#include <cstdlib>
#include <sys/mman.h>
#include <unistd.h>

namespace {

void Fail(const char *what)
{
    std::fprintf(stderr, "round trip broken: %s\n", what);
    std::abort();
}

class FailingReporter : public ErrorReporter
{
public:
    void ReportFileError(const QString &) override { Fail("file error reading the input"); }
};

// The input as a file: one in memory, rewritten for each input.
QString AsFile(QByteArrayView bytes)
{
    static const int fd = memfd_create("verses", 0);
    if (fd < 0 || ftruncate(fd, 0) != 0 || pwrite(fd, bytes.data(), size_t(bytes.size()), 0) != bytes.size())
        Fail("cannot write the input file");
    return QStringLiteral("/proc/self/fd/%1").arg(fd);
}

// Read from a file, the bytes give the same list; they are UTF-8 when all of
// them are valid UTF-8, and when none is an end marker, only then.
void CheckFileLoad(QByteArrayView bytes, const VerseList &loaded, bool allValid)
{
    VerseFile file(AsFile(bytes));
    VerseList fromFile;
    FailingReporter reporter;
    if (!file.Load(fromFile, false, reporter) || !(fromFile == loaded))
        Fail("loading the file differs from parsing its bytes");
    const bool utf8 = file.encoding().kind() == TextEncoding::Kind::Utf8;
    if (allValid ? !utf8 : utf8 && !bytes.contains("$$$"))
        Fail("encoding of the file differs from its bytes'");
}

// The records read one line at a time, each text line copied with its space.
VerseList ReadLineByLine(QByteArrayView bytes)
{
    VerseList list;
    list.m_nCurrent = 0;
    LineReader reader(bytes);
    QByteArrayView title;
    while (reader.ReadLine(title) && !title.contains("$$$")) {
        QByteArrayView number;
        QByteArrayView line;
        QByteArray text;
        reader.ReadLine(number);
        while (reader.ReadLine(line) && !line.contains('#'))
            text += line.toByteArray() + ' ';
        list.Append(title.toByteArray(), number.toByteArray(), text);
    }
    return list;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArrayView bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    const VerseList loaded = VerseFile::Parse(bytes);
    if (loaded.m_nVerseCount != loaded.m_arrTitles.size() || loaded.m_nVerseCount != loaded.m_arrNumbers.size()
        || loaded.m_nVerseCount != loaded.m_arrContents.size())
        Fail("count out of step with the arrays");
    if (!(ReadLineByLine(bytes) == loaded))
        Fail("load(B) differs from reading B line by line");

    const QByteArray saved = VerseFile::Serialize(loaded);
    const VerseList reloaded = VerseFile::Parse(saved);
    if (!(reloaded == loaded))
        Fail("load(save(L)) differs from L");
    if (VerseFile::Serialize(reloaded) != saved)
        Fail("second save differs from the first");

    QStringDecoder utf8(QStringDecoder::Utf8);
    const QString decoded = utf8.decode(bytes);
    // A sequence cut short at the very end is still pending in the decoder.
    const bool qtValid = !utf8.hasError() && decoded.toUtf8() == bytes;
    if (TextEncoding::IsValidUtf8(bytes) != qtValid)
        Fail("UTF-8 check disagrees with Qt's decoder");
    CheckFileLoad(bytes, loaded, qtValid);
    const TextEncoding encoding = TextEncoding::Detect(bytes);
    if (!loaded.m_arrTitles.isEmpty())
        encoding.Decode(loaded.m_arrTitles.first());
    return 0;
}
