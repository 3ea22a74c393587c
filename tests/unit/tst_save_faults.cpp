#include "data/AtomicWrite.h"
#include "data/VerseFile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <grp.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

// Saves by other users, into folders they may not write, and past the
// file-size limit: the verse file always holds one whole list, keeps its
// owner and mode, and a failure is reported, never a crash.
class TestSaveFaults : public QObject
{
    Q_OBJECT

private slots:
    void save_data();
    void save();
};

namespace {

const QByteArray kOld = "Old\r\nOld 1:1\r\nThe old list stays whole.\r\n#\r\n$$$\r\n";

QByteArray ReadAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

struct stat StatOf(const QString &path)
{
    struct stat st = {};
    ::stat(QFile::encodeName(path).constData(), &st);
    return st;
}

// Saves list to path in a child process, as user, with the size-limit signal
// at its default (which would end the process) and the given file-size limit.
// Returns 0 saved, 1 failed with EFBIG, 2 with EACCES, 3 anything else, 4 the
// signal's default not put back, 5 user not taken, -1 the child died.
int SaveInChild(const QString &path, const VerseList &list, uid_t user, rlim_t limit)
{
    const pid_t child = fork();
    if (child == 0) {
        std::signal(SIGXFSZ, SIG_DFL);
        const rlimit rl{limit, limit};
        if (setrlimit(RLIMIT_FSIZE, &rl) != 0
            || (user != 0
                && (setgroups(0, nullptr) != 0 || setresgid(user, user, user) != 0
                    || setresuid(user, user, user) != 0)))
            _exit(5);
        const SaveResult result = VerseFile(path).Save(list);
        struct sigaction now = {};
        sigaction(SIGXFSZ, nullptr, &now);
        if (now.sa_handler != SIG_DFL)
            _exit(4);
        _exit(result.status == SaveResult::Status::Saved ? 0
              : result.error == EFBIG                    ? 1
              : result.error == EACCES                   ? 2
                                                         : 3);
    }
    int status = 0;
    if (child < 0 || waitpid(child, &status, 0) != child || !WIFEXITED(status))
        return -1;
    return WEXITSTATUS(status);
}

} // namespace

void TestSaveFaults::save_data()
{
    QTest::addColumn<uint>("user");
    QTest::addColumn<uint>("fileOwner");
    QTest::addColumn<uint>("fileMode");
    QTest::addColumn<uint>("folderMode");
    QTest::addColumn<bool>("hardLink");
    QTest::addColumn<qint64>("sizeLimit");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<bool>("sameInode");
    // The folder belongs to the superuser (0); "nobody" is user 65534.
    const qint64 none = qint64(RLIM_INFINITY);
    QTest::newRow("superuser saves a user's private file: owner and mode kept")
        << 0u << 65534u << 0600u << 0755u << false << none << 0 << false;
    QTest::newRow("user may not write the file")
        << 65534u << 0u << 0644u << 0777u << false << none << 2 << true;
    QTest::newRow("user may write the file but not the folder: rewritten in place")
        << 65534u << 65534u << 0644u << 0755u << false << none << 0 << true;
    QTest::newRow("user cannot give the owner to a new file: rewritten in place")
        << 65534u << 0u << 0666u << 0777u << false << none << 0 << true;
    QTest::newRow("shared sticky folder, another's file: rewritten in place")
        << 65534u << 0u << 0666u << 01777u << false << none << 0 << true;
    QTest::newRow("file-size limit: the new file fails")
        << 0u << 0u << 0644u << 0755u << false << qint64(4096) << 1 << true;
    QTest::newRow("file-size limit: the rewrite in place for a hard link fails")
        << 0u << 0u << 0644u << 0755u << true << qint64(4096) << 1 << true;
}

void TestSaveFaults::save()
{
    QFETCH(uint, user);
    QFETCH(uint, fileOwner);
    QFETCH(uint, fileMode);
    QFETCH(uint, folderMode);
    QFETCH(bool, hardLink);
    QFETCH(qint64, sizeLimit);
    QFETCH(int, exitCode);
    QFETCH(bool, sameInode);
    if (geteuid() != 0)
        QSKIP("needs the superuser to hand files to another user");
    VerseList list;
    for (int i = 0; i < 400; ++i)
        list.Append("New " + QByteArray::number(i), "Ref",
                    "In the beginning God created the heaven and the earth. ");
    QTemporaryDir dir;
    const QString path = dir.filePath("verses.niv");
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly) && file.write(kOld) == kOld.size());
    file.close();
    QVERIFY(::chown(QFile::encodeName(path).constData(), fileOwner, fileOwner) == 0);
    QVERIFY(::chmod(QFile::encodeName(path).constData(), fileMode) == 0);
    QVERIFY(::chmod(QFile::encodeName(dir.path()).constData(), folderMode) == 0);
    if (hardLink)
        QVERIFY(::link(QFile::encodeName(path).constData(),
                       QFile::encodeName(dir.filePath("other.niv")).constData())
                == 0);
    const struct stat before = StatOf(path);

    QCOMPARE(SaveInChild(path, list, user, rlim_t(sizeLimit)), exitCode);
    QCOMPARE(ReadAll(path), exitCode == 0 ? VerseFile::Serialize(list) : kOld);
    const struct stat after = StatOf(path);
    QCOMPARE(after.st_ino == before.st_ino, sameInode);
    QCOMPARE(after.st_uid, before.st_uid);
    QCOMPARE(after.st_gid, before.st_gid);
    QCOMPARE(after.st_mode, before.st_mode);
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden | QDir::System),
             hardLink ? QStringList({"other.niv", "verses.niv"}) : QStringList{"verses.niv"});
}

QTEST_GUILESS_MAIN(TestSaveFaults)
#include "tst_save_faults.moc"
