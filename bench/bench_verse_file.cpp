// Loading and saving the whole Bible against the bare file operations.
//   load: at most 1.5x reading the file and finding every line end
//   save: at most 3x writing the same bytes in one call (flushed to disk)
//   memory of the loaded list: at most 1.6x the file size
#include "data/ErrorReporter.h"
#include "data/VerseFile.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <functional>
#include <malloc.h>
#include <unistd.h>

namespace {

class PrintingReporter : public ErrorReporter
{
public:
    void ReportFileError(const QString &message) override { std::fprintf(stderr, "%s\n", qPrintable(message)); }
};

// Best of several runs, in milliseconds; prepare runs untimed before each.
double BestOf(
    int runs, const std::function<void()> &work, const std::function<void()> &prepare = [] {})
{
    double best = 1e300;
    for (int i = 0; i < runs; ++i) {
        prepare();
        QElapsedTimer timer;
        timer.start();
        work();
        best = std::min(best, timer.nsecsElapsed() / 1e6);
    }
    return best;
}

qsizetype BareReadAndSplit(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return -1;
    const QByteArray bytes = file.readAll();
    qsizetype lines = 0;
    const char *p = bytes.constData();
    const char *end = p + bytes.size();
    while (p < end) {
        const void *lf = std::memchr(p, '\n', size_t(end - p));
        if (!lf)
            break;
        p = static_cast<const char *>(lf) + 1;
        ++lines;
    }
    return lines;
}

bool Report(const char *what, double ours, double baseline, double limit)
{
    const double ratio = ours / baseline;
    std::printf("%-8s ours %8.2f  baseline %8.2f  ratio %5.2f  (limit %.1f) %s\n", what, ours, baseline, ratio, limit,
                ratio <= limit ? "ok" : "MISSED");
    return ratio <= limit;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QString source =
        argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral(LUMERA_SHARED_DATA "/bible-full.niv");
    QTemporaryDir dir;
    const QString path = dir.filePath("bible.niv");
    if (!QFile::copy(source, path)) {
        std::fprintf(stderr, "cannot read %s\n", qPrintable(source));
        return 2;
    }
    const qint64 fileSize = QFileInfo(path).size();
    PrintingReporter reporter;
    const int runs = 15;

    qsizetype lines = 0;
    const double bareLoad = BestOf(runs, [&] { lines = BareReadAndSplit(path); });
    VerseList list;
    // The program loads once, into an empty list.
    const double load = BestOf(
        runs, [&] { VerseFile(path).Load(list, false, reporter); }, [&] { list = VerseList(); });

    // A save replaces the file atomically and flushes it to disk before the
    // rename, so that no crash can leave it cut short; the fair baseline is
    // the same bytes written in one call and flushed. The plain write is
    // printed too.
    const QByteArray bytes = VerseFile::Serialize(list);
    const QString bare = dir.filePath("bare.niv");
    const auto writeBare = [&](bool flush) {
        QFile out(bare);
        if (out.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
            out.write(bytes);
            out.flush();
            if (flush)
                fdatasync(out.handle());
        }
    };
    const double plainSave = BestOf(runs, [&] { writeBare(false); });
    const double bareSave = BestOf(runs, [&] { writeBare(true); });
    const double save = BestOf(runs, [&] { VerseFile(path).Save(list); });

    list = VerseList();
    malloc_trim(0);
    // Large blocks are mapped apart from the heap: both count.
    const auto inUse = [] {
        const struct mallinfo2 info = mallinfo2();
        return double(info.uordblks + info.hblkhd);
    };
    const double before = inUse();
    VerseFile(path).Load(list, false, reporter);
    const double memory = inUse() - before;

    std::printf("file %lld bytes, %lld lines, %d verses (times in ms, best of %d)\n", (long long)fileSize,
                (long long)lines, list.m_nVerseCount, runs);
    bool ok = Report("load", load, bareLoad, 1.5);
    ok = Report("save", save, bareSave, 3.0) && ok;
    std::printf("         (a plain write without the flush: %.2f, ratio %.2f)\n", plainSave, save / plainSave);
    ok = Report("memory", memory / 1e6, fileSize / 1e6, 1.6) && ok;
    return ok ? 0 : 1;
}
