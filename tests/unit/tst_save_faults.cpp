#include "RecordingReporter.h"
#include "data/VerseFile.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

// A save that dies part-way, killed at random moments or stopped by a
// file-size limit, leaves the verse file holding the old list or the new
// one, never a mix, and nothing visible beside it.
class TestSaveFaults : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void killedAtRandomMoments_fileIsOldOrNew();
    void fileSizeLimit_keepsOldFile_data();
    void fileSizeLimit_keepsOldFile();

private:
    // Forks a child that saves m_newList to path (optionally under a file-size
    // limit) and exits 0 when the save reported success.
    pid_t StartSave(const QString &path, rlim_t sizeLimit = RLIM_INFINITY, bool ignoreSizeSignal = true);
    void CheckOldOrNew(const QString &dir, const QString &path);

    VerseList m_oldList;
    VerseList m_newList;
    QByteArray m_oldBytes;
    QByteArray m_newBytes;
};

void TestSaveFaults::initTestCase()
{
    m_oldList.Append("Old", "Old 1:1", "The old list stays whole. ");
    for (int i = 0; i < 40000; ++i)
        m_newList.Append("Title " + QByteArray::number(i), "Ref " + QByteArray::number(i),
                         QByteArray("In the beginning God created the heavens and the earth; the earth was "
                                    "formless and empty. Verse ") + QByteArray::number(i) + ' ');
    m_oldBytes = VerseFile::Serialize(m_oldList);
    m_newBytes = VerseFile::Serialize(m_newList);
}

pid_t TestSaveFaults::StartSave(const QString &path, rlim_t sizeLimit, bool ignoreSizeSignal)
{
    const pid_t child = fork();
    if (child != 0)
        return child;
    if (ignoreSizeSignal)
        std::signal(SIGXFSZ, SIG_IGN);
    const rlimit limit{sizeLimit, sizeLimit};
    setrlimit(RLIMIT_FSIZE, &limit);
    RecordingReporter reporter;
    _exit(VerseFile(path).Save(m_newList, false, reporter) ? 0 : 1);
}

void TestSaveFaults::CheckOldOrNew(const QString &dir, const QString &path)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    QVERIFY2(bytes == m_oldBytes || bytes == m_newBytes, "the verse file is neither the old nor the new list");
    // A hidden temporary may survive a kill at the very last step; the next
    // save replaces it. Nothing else may be left.
    QCOMPARE(QDir(dir).entryList(QDir::Files), QStringList{"verses.niv"});
}

void TestSaveFaults::killedAtRandomMoments_fileIsOldOrNew()
{
    QTemporaryDir dir;
    const QString path = dir.filePath("verses.niv");

    // How long one whole save takes here, to spread the kills over it.
    QElapsedTimer timer;
    timer.start();
    int status = 0;
    waitpid(StartSave(path), &status, 0);
    const qint64 saveMicros = qMax<qint64>(timer.nsecsElapsed() / 1000, 1000);
    QVERIFY(WIFEXITED(status) && WEXITSTATUS(status) == 0);

    const quint32 seed = QRandomGenerator::global()->generate();
    qInfo("kill moments from seed %u, save takes %lld us", seed, saveMicros);
    QRandomGenerator random(seed);
    int sawOld = 0;
    int sawNew = 0;
    for (int run = 0; run < 60; ++run) {
        QFile old(path);
        QVERIFY(old.open(QIODevice::WriteOnly | QIODevice::Truncate));
        old.write(m_oldBytes);
        old.close();
        const pid_t child = StartSave(path);
        QVERIFY(child > 0);
        usleep(useconds_t(random.bounded(saveMicros * 5 / 4)));
        kill(child, SIGKILL);
        QCOMPARE(waitpid(child, &status, 0), child);
        CheckOldOrNew(dir.path(), path);
        QFile check(path);
        QVERIFY(check.open(QIODevice::ReadOnly));
        (check.size() == m_oldBytes.size() ? sawOld : sawNew)++;
    }
    qInfo("old file after %d kills, new file after %d", sawOld, sawNew);
}

void TestSaveFaults::fileSizeLimit_keepsOldFile_data()
{
    QTest::addColumn<qint64>("limit");
    QTest::addColumn<bool>("ignoreSignal");
    QTest::newRow("no room at all, error returned") << qint64(0) << true;
    QTest::newRow("cut at 4 KiB, error returned") << qint64(4096) << true;
    QTest::newRow("cut at 1 MiB, error returned") << qint64(1 << 20) << true;
    QTest::newRow("cut at 64 KiB, process killed by the signal") << qint64(65536) << false;
}

void TestSaveFaults::fileSizeLimit_keepsOldFile()
{
    QFETCH(qint64, limit);
    QFETCH(bool, ignoreSignal);
    QTemporaryDir dir;
    const QString path = dir.filePath("verses.niv");
    QFile old(path);
    QVERIFY(old.open(QIODevice::WriteOnly));
    old.write(m_oldBytes);
    old.close();
    int status = 0;
    const pid_t child = StartSave(path, rlim_t(limit), ignoreSignal);
    QCOMPARE(waitpid(child, &status, 0), child);
    if (ignoreSignal)
        QVERIFY(WIFEXITED(status) && WEXITSTATUS(status) == 1); // the save reported failure
    else
        QVERIFY(WIFSIGNALED(status));
    CheckOldOrNew(dir.path(), path);
    QFile check(path);
    QVERIFY(check.open(QIODevice::ReadOnly));
    QCOMPARE(check.readAll(), m_oldBytes);
}

QTEST_GUILESS_MAIN(TestSaveFaults)
#include "tst_save_faults.moc"
