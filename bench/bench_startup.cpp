// From process start to the first verse shown: the whole Bible against a
// one-verse file, run alternately, median of each. Target: at most 1.2x.
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

bool Prepare(const QString &dir, const QByteArray &verses)
{
    QFile ini(dir + "/Lumera.ini");
    QFile file(dir + "/Lumera.niv");
    return ini.open(QIODevice::WriteOnly) && ini.write("FILE=Lumera.niv\r\n") > 0 && file.open(QIODevice::WriteOnly)
           && file.write(verses) == verses.size();
}

// Milliseconds from starting the program to its report that the first verse
// is shown, or a negative value when it failed.
double RunOnce(const QString &probe, const QString &dir)
{
    QProcess process;
    process.setWorkingDirectory(dir);
    QElapsedTimer timer;
    timer.start();
    process.start(probe, {});
    double shownAt = -1;
    while (shownAt < 0 && process.waitForReadyRead(60000)) {
        if (process.readAllStandardOutput().contains("shown"))
            shownAt = timer.nsecsElapsed() / 1e6;
    }
    if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0)
        return -1;
    return shownAt;
}

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QString bible =
        argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral(LUMERA_SHARED_DATA "/bible-full.niv");
    const QString probe = QCoreApplication::applicationDirPath() + "/startup_probe";
    QFile source(bible);
    if (!source.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "cannot read %s\n", qPrintable(bible));
        return 2;
    }
    QTemporaryDir whole;
    QTemporaryDir one;
    if (!Prepare(whole.path(), source.readAll())
        || !Prepare(one.path(), "Only\r\nRef 1:1\r\nOne verse.\r\n#\r\n$$$\r\n"))
        return 2;
    qputenv("QT_QPA_PLATFORM", "offscreen");

    std::vector<double> wholeTimes;
    std::vector<double> oneTimes;
    RunOnce(probe, one.path()); // warm the caches
    for (int run = 0; run < 11; ++run) {
        oneTimes.push_back(RunOnce(probe, one.path()));
        wholeTimes.push_back(RunOnce(probe, whole.path()));
    }
    if (*std::min_element(oneTimes.begin(), oneTimes.end()) < 0
        || *std::min_element(wholeTimes.begin(), wholeTimes.end()) < 0) {
        std::fprintf(stderr, "the program did not show its first verse\n");
        return 2;
    }
    const double limit = 1.2;
    const double ratio = Median(wholeTimes) / Median(oneTimes);
    std::printf("start-up to first verse (median of 11, ms): whole Bible %.1f, one verse %.1f, ratio %.2f "
                "(limit %.1f) %s\n",
                Median(wholeTimes), Median(oneTimes), ratio, limit, ratio <= limit ? "ok" : "MISSED");
    return ratio <= limit ? 0 : 1;
}
