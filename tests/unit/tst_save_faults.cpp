#include "data/AtomicWrite.h"
#include "data/VerseFile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <functional>
#include <fcntl.h>
#include <grp.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

// Saves that fail part-way or meet other writers and users: the verse file
// always holds one whole list, and a failure is reported, never a crash.
class TestSaveFaults : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void fileSizeLimit_failsAndKeepsOldFile_data();
    void fileSizeLimit_failsAndKeepsOldFile();
    void ownersAndFolders_data();
    void ownersAndFolders();
    void concurrentSaves_fileAlwaysOneWholeList();

private:
    // Runs fn in a child process and returns its exit code (-1 if it died).
    static int InChild(const std::function<int()> &fn);
    static int ExitCodeOf(const SaveResult &result);

    VerseList m_newList;
    const QByteArray m_oldBytes = "Old\r\nOld 1:1\r\nThe old list stays whole.\r\n#\r\n$$$\r\n";
    QByteArray m_newBytes;
};

namespace {

QByteArray ReadAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void WriteAll(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QCOMPARE(file.write(bytes), bytes.size());
}

VerseList ListOf(int count, const QByteArray &tag)
{
    VerseList list;
    for (int i = 0; i < count; ++i)
        list.Append(tag + QByteArray::number(i), "Ref " + QByteArray::number(i),
                    "In the beginning God created the heavens and the earth; the earth was formless " + tag + ' ');
    return list;
}

struct stat StatOf(const QString &path)
{
    struct stat st = {};
    ::stat(QFile::encodeName(path).constData(), &st);
    return st;
}

} // namespace

void TestSaveFaults::initTestCase()
{
    m_newList = ListOf(4000, "New");
    m_newBytes = VerseFile::Serialize(m_newList);
}

int TestSaveFaults::InChild(const std::function<int()> &fn)
{
    const pid_t child = fork();
    if (child == 0)
        _exit(fn());
    int status = 0;
    if (child < 0 || waitpid(child, &status, 0) != child || !WIFEXITED(status))
        return -1;
    return WEXITSTATUS(status);
}

// 0 saved, 1 failed with EFBIG, 2 with EACCES, 3 anything else.
int TestSaveFaults::ExitCodeOf(const SaveResult &result)
{
    if (result.status == SaveResult::Status::Saved)
        return 0;
    return result.error == EFBIG ? 1 : result.error == EACCES ? 2 : 3;
}

void TestSaveFaults::fileSizeLimit_failsAndKeepsOldFile_data()
{
    QTest::addColumn<qint64>("limit");
    QTest::addColumn<bool>("hardLink");
    QTest::newRow("no room at all") << qint64(0) << false;
    QTest::newRow("cut at 4 KiB") << qint64(4096) << false;
    QTest::newRow("cut at 64 KiB") << qint64(65536) << false;
    QTest::newRow("cut at 64 KiB, rewritten in place for a hard link") << qint64(65536) << true;
}

// The size-limit signal is left at its default, which would end the process:
// the save must turn it into a failure and put the default back.
void TestSaveFaults::fileSizeLimit_failsAndKeepsOldFile()
{
    QFETCH(qint64, limit);
    QFETCH(bool, hardLink);
    QTemporaryDir dir;
    const QString path = dir.filePath("verses.niv");
    WriteAll(path, m_oldBytes);
    if (hardLink)
        QVERIFY(::link(QFile::encodeName(path).constData(), QFile::encodeName(dir.filePath("other.niv")).constData())
                == 0);
    const int code = InChild([&] {
        std::signal(SIGXFSZ, SIG_DFL);
        const rlimit rl{rlim_t(limit), rlim_t(limit)};
        setrlimit(RLIMIT_FSIZE, &rl);
        const int saved = ExitCodeOf(VerseFile(path).Save(m_newList));
        struct sigaction now = {};
        sigaction(SIGXFSZ, nullptr, &now);
        return now.sa_handler == SIG_DFL ? saved : 4;
    });
    QCOMPARE(code, 1);
    QCOMPARE(ReadAll(path), m_oldBytes);
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden),
             hardLink ? QStringList({"other.niv", "verses.niv"}) : QStringList{"verses.niv"});
}

void TestSaveFaults::ownersAndFolders_data()
{
    QTest::addColumn<bool>("asNobody");
    QTest::addColumn<uint>("fileOwner");
    QTest::addColumn<uint>("fileMode");
    QTest::addColumn<uint>("folderMode");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<bool>("sameInode");
    // The folder belongs to the superuser; "nobody" is user 65534.
    QTest::newRow("superuser saves a user's private file: owner and mode kept")
        << false << 65534u << 0600u << 0755u << 0 << false;
    QTest::newRow("user may not write the file") << true << 0u << 0644u << 0777u << 2 << true;
    QTest::newRow("user may write the file but not the folder: rewritten in place")
        << true << 65534u << 0644u << 0755u << 0 << true;
    QTest::newRow("user cannot give the owner to a new file: rewritten in place")
        << true << 0u << 0666u << 0777u << 0 << true;
    QTest::newRow("shared sticky folder, another's file: rewritten in place")
        << true << 0u << 0666u << 01777u << 0 << true;
}

void TestSaveFaults::ownersAndFolders()
{
    QFETCH(bool, asNobody);
    QFETCH(uint, fileOwner);
    QFETCH(uint, fileMode);
    QFETCH(uint, folderMode);
    QFETCH(int, exitCode);
    QFETCH(bool, sameInode);
    if (geteuid() != 0)
        QSKIP("needs the superuser to hand files to another user");
    QTemporaryDir dir;
    const QByteArray folder = QFile::encodeName(dir.path());
    const QString path = dir.filePath("verses.niv");
    WriteAll(path, m_oldBytes);
    QVERIFY(::chown(QFile::encodeName(path).constData(), fileOwner, fileOwner) == 0);
    QVERIFY(::chmod(QFile::encodeName(path).constData(), fileMode) == 0);
    QVERIFY(::chmod(folder.constData(), folderMode) == 0);
    const struct stat before = StatOf(path);
    const int code = InChild([&] {
        if (asNobody && (setgroups(0, nullptr) != 0 || setresgid(65534, 65534, 65534) != 0
                         || setresuid(65534, 65534, 65534) != 0))
            return 5;
        return ExitCodeOf(VerseFile(path).Save(m_newList));
    });
    QCOMPARE(code, exitCode);
    QCOMPARE(ReadAll(path), exitCode == 0 ? m_newBytes : m_oldBytes);
    const struct stat after = StatOf(path);
    QCOMPARE(after.st_ino == before.st_ino, sameInode);
    QCOMPARE(after.st_uid, before.st_uid);
    QCOMPARE(after.st_gid, before.st_gid);
    QCOMPARE(after.st_mode, before.st_mode);
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden | QDir::System), QStringList{"verses.niv"});
}

// Several processes save their own lists to one file, round after round,
// while it is read: every read finds one whole list.
void TestSaveFaults::concurrentSaves_fileAlwaysOneWholeList()
{
    constexpr int kWriters = 4;
    constexpr int kRounds = 25;
    QTemporaryDir dir;
    const QString path = dir.filePath("verses.niv");
    WriteAll(path, m_oldBytes);
    QList<QByteArray> lists{m_oldBytes};
    QList<pid_t> writers;
    for (int w = 0; w < kWriters; ++w) {
        const VerseList list = ListOf(1000 + 300 * w, "Writer" + QByteArray::number(w));
        lists.append(VerseFile::Serialize(list));
        const pid_t child = fork();
        if (child == 0) {
            int failed = 0;
            for (int round = 0; round < kRounds; ++round)
                failed += VerseFile(path).Save(list).status != SaveResult::Status::Saved;
            _exit(failed);
        }
        writers.append(child);
    }
    int reads = 0;
    int failures = 0;
    for (pid_t child : writers) {
        int status = 0;
        while (waitpid(child, &status, WNOHANG) == 0) {
            QVERIFY2(lists.contains(ReadAll(path)), "the verse file holds no whole list");
            ++reads;
        }
        QVERIFY(WIFEXITED(status));
        failures += WEXITSTATUS(status);
    }
    qInfo("%d reads during %d saves, %d saves reported failure", reads, kWriters * kRounds, failures);
    QCOMPARE(failures, 0);
    QVERIFY(lists.contains(ReadAll(path)));
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden | QDir::System), QStringList{"verses.niv"});
}

QTEST_GUILESS_MAIN(TestSaveFaults)
#include "tst_save_faults.moc"
