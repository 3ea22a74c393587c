#include "data/VerseFile.h"
#include "data/VersePrefetch.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace {

std::atomic<int> g_wrongThreadWarnings = 0;
bool g_keptMainThread = false;

void CountWrongThreadWarnings(QtMsgType, const QMessageLogContext &, const QString &message)
{
    if (message.contains(QLatin1String("not created in the main() thread")))
        ++g_wrongThreadWarnings;
}

void WriteFile(const char *name, const char *bytes)
{
    std::FILE *file = std::fopen(name, "wb");
    std::fputs(bytes, file);
    std::fclose(file);
}

} // namespace

// The verse file read ahead on a second thread is handed over only for the
// same file, once, and only when it was read without error; the thread that
// starts it stays Qt's main thread.
class TestVersePrefetch : public QObject
{
    Q_OBJECT

private slots:
    void startUp_keepsMainThreadAndPassesFifo() { QVERIFY(g_keptMainThread); }
    void take_data();
    void take();
};

void TestVersePrefetch::take_data()
{
    QTest::addColumn<bool>("writeVerses");
    QTest::addColumn<QString>("askedFor");
    QTest::addColumn<bool>("handedOver");
    QTest::newRow("same file") << true << "v.niv" << true;
    QTest::newRow("another file") << true << "w.niv" << false;
}

void TestVersePrefetch::take()
{
    QFETCH(bool, writeVerses);
    QFETCH(QString, askedFor);
    QFETCH(bool, handedOver);
    QTemporaryDir dir;
    QVERIFY(QDir::setCurrent(dir.path()));
    const char *verses = "T\r\nN\r\n\310as\r\n#\r\n$$$\r\n";
    WriteFile("Lumera.ini", "FILE=v.niv\r\n");
    if (writeVerses)
        WriteFile("v.niv", verses);
    VersePrefetch::Start(QStringLiteral("Lumera.ini"));
    const auto result = VersePrefetch::Take(askedFor);
    QCOMPARE(result.has_value(), handedOver);
    if (handedOver) {
        QCOMPARE(result->list, VerseFile::Parse(verses));
        QCOMPARE(result->file.encoding().kind(), TextEncoding::Kind::Windows1250);
    }
    QVERIFY(!VersePrefetch::Take(askedFor)); // handed over once at most
}

// Start-up as main() does it, with a FIFO named as the verse file: a read that
// waited in its open() for a writer would stay alive, with whatever it made,
// while the application object is made. Begun before any Qt object exists.
int main(int argc, char *argv[])
{
    QTemporaryDir dir;
    QDir::setCurrent(dir.path());
    WriteFile("Lumera.ini", "FILE=v.niv\r\n");
    ::mkfifo("v.niv", 0600);
    const QtMessageHandler previous = qInstallMessageHandler(CountWrongThreadWarnings);
    VersePrefetch::Start(QStringLiteral("Lumera.ini"));
    std::atomic<bool> taken = false;
    std::thread taker([&taken] {
        VersePrefetch::Take(QStringLiteral("v.niv"));
        taken = true;
    });
    // Until the read waits in the FIFO's open (a writer gets in then) or ends.
    int writer = -1;
    while (!taken && (writer = ::open("v.niv", O_WRONLY | O_NONBLOCK)) < 0)
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    QCoreApplication app(argc, argv);
    g_keptMainThread = app.thread() == QThread::currentThread() && g_wrongThreadWarnings == 0;
    if (writer >= 0)
        ::close(writer);
    taker.join();
    qInstallMessageHandler(previous);
    TestVersePrefetch test;
    return QTest::qExec(&test, argc, argv);
}
#include "tst_verse_prefetch.moc"
