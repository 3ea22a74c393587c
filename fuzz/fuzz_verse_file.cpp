// The verse-file reader and writer on any bytes B: L = load(B) must be what
// a plain line-by-line reading gives (tests/unit/ReferenceVerseReader.h),
// load(save(L)) must equal L and a second save must give the same bytes.
// B is also read from a file, as the program reads it, which must give L and
// the encoding its bytes call for. On the way, Qt's UTF-8 check is compared
// with its decoder: what the check passes must decode without a fault.
#include "ReferenceVerseReader.h"
#include "data/ErrorReporter.h"
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

// Read from a file, the bytes give the same list, and are UTF-8 exactly when
// those up to the end of the end marker's line are valid UTF-8.
void CheckFileLoad(QByteArrayView bytes, const VerseList &loaded, bool expectUtf8)
{
    VerseFile file(AsFile(bytes));
    VerseList fromFile;
    FailingReporter reporter;
    if (!file.Load(fromFile, false, reporter) || !(fromFile == loaded))
        Fail("loading the file differs from parsing its bytes");
    const bool utf8 = file.encoding().kind() == TextEncoding::Kind::Utf8;
    if (utf8 != expectUtf8)
        Fail("encoding of the file differs from its bytes'");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArrayView bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    const VerseList loaded = VerseFile::Parse(bytes);
    if (loaded.m_nVerseCount != loaded.m_arrTitles.size() || loaded.m_nVerseCount != loaded.m_arrNumbers.size()
        || loaded.m_nVerseCount != loaded.m_arrContents.size())
        Fail("count out of step with the arrays");
    const ReferenceRead reference = ReadLineByLine(bytes);
    if (!(reference.list == loaded))
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
    CheckFileLoad(bytes, loaded, reference.utf8);
    const TextEncoding encoding = TextEncoding::Detect(bytes);
    if (!loaded.m_arrTitles.isEmpty())
        encoding.Decode(loaded.m_arrTitles.first());
    return 0;
}
