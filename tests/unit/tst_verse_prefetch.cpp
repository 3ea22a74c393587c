#include "data/VerseFile.h"
#include "data/VersePrefetch.h"

#include <QDir>
#include <QFile>
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

// Start-up as main() does it, with a FIFO named as the verse file: a read
// that waits in its open() for a writer stays alive, with whatever it made,
// while the application object is made. Begun before any Qt object exists.
class StartUpProbe
{
public:
    StartUpProbe()
    {
        QDir::setCurrent(m_dir.path());
        std::FILE *ini = std::fopen("Lumera.ini", "wb");
        std::fputs("FILE=v.niv\r\n", ini);
        std::fclose(ini);
        ::mkfifo("v.niv", 0600);
        m_previous = qInstallMessageHandler(CountWrongThreadWarnings);
        VersePrefetch::Start(QStringLiteral("Lumera.ini"));
        m_taker = std::thread([this] {
            VersePrefetch::Take(QStringLiteral("v.niv"));
            m_taken = true;
        });
        // Until the read waits in the FIFO's open (a writer gets in then) or ends.
        while (!m_taken && (m_writer = ::open("v.niv", O_WRONLY | O_NONBLOCK)) < 0)
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }

    // Called with the application object made: lets the read end.
    void Finish()
    {
        g_keptMainThread = QCoreApplication::instance()->thread() == QThread::currentThread()
                           && g_wrongThreadWarnings == 0;
        if (m_writer >= 0)
            ::close(m_writer);
        m_taker.join();
        qInstallMessageHandler(m_previous);
        QDir::setCurrent(QDir::tempPath());
    }

private:
    QTemporaryDir m_dir;
    QtMessageHandler m_previous = nullptr;
    std::thread m_taker;
    std::atomic<bool> m_taken = false;
    int m_writer = -1;
};

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
    QTest::addColumn<QByteArray>("ini");
    QTest::addColumn<bool>("writeVerses");
    QTest::addColumn<QString>("askedFor");
    QTest::addColumn<bool>("handedOver");
    QTest::newRow("same file") << QByteArray("FILE=v.niv\r\n") << true << "v.niv" << true;
    QTest::newRow("another file") << QByteArray("FILE=v.niv\r\n") << true << "w.niv" << false;
    QTest::newRow("verse file missing") << QByteArray("FILE=v.niv\r\n") << false << "v.niv" << false;
    QTest::newRow("settings missing, default file") << QByteArray() << false << "Lumera.niv" << false;
}

void TestVersePrefetch::take()
{
    QFETCH(QByteArray, ini);
    QFETCH(bool, writeVerses);
    QFETCH(QString, askedFor);
    QFETCH(bool, handedOver);
    QTemporaryDir dir;
    QVERIFY(QDir::setCurrent(dir.path()));
    const QByteArray verses = "T\r\nN\r\n\xC8" "as\r\n#\r\n$$$\r\n";
    if (!ini.isEmpty()) {
        QFile file("Lumera.ini");
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(ini);
    }
    if (writeVerses) {
        QFile file("v.niv");
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(verses);
    }
    VersePrefetch::Start(QStringLiteral("Lumera.ini"));
    const auto result = VersePrefetch::Take(askedFor);
    QCOMPARE(result.has_value(), handedOver);
    if (handedOver) {
        QCOMPARE(result->list, VerseFile::Parse(verses));
        QCOMPARE(result->file.encoding().kind(), TextEncoding::Kind::Windows1250);
    }
    QVERIFY(!VersePrefetch::Take(askedFor)); // handed over once at most
    QVERIFY(QDir::setCurrent(QDir::tempPath()));
}

int main(int argc, char *argv[])
{
    StartUpProbe probe;
    QCoreApplication app(argc, argv);
    probe.Finish();
    TestVersePrefetch test;
    return QTest::qExec(&test, argc, argv);
}
#include "tst_verse_prefetch.moc"
