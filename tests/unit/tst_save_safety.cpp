#include "RecordingReporter.h"
#include "data/PosixIo.h"
#include "data/RecoveryCopy.h"
#include "data/StateFolder.h"
#include "data/VerseFile.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

// Saves that many programs make at once, saves killed at any byte, and what
// the next load makes of them: the file always holds a whole list, no edit
// goes without a word, and nothing is left behind.
class TestSaveSafety : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QVERIFY(m_state.isValid());
        StateFolder::UsePath(QFile::encodeName(m_state.filePath("Lumera")));
    }
    void copiesSavingAtOnce_oneSavesTheOthersAreAsked();
    void inPlaceSave_killedAnywhere_loadsOldOrNew_data();
    void inPlaceSave_killedAnywhere_loadsOldOrNew();
    void inPlaceSave_killedThenFileChanged_keptInCopy();
    void inPlaceSave_failingPartWay_oldContentsBack();
    void damagedJournal_neverActedOn();
    void cutOffRewrite_finishedBeforeTheNextSave();
    void recoveryCopy_besideTheFile_neverOverAnother();

private:
    QTemporaryDir m_state;
};

namespace {

QByteArray ReadAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Writes bytes over the file, keeping it (and its hard links).
void Overwrite(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size());
}

VerseList Verses(const QByteArray &who, int count, int length)
{
    VerseList list;
    for (int i = 0; i < count; ++i)
        list.Append(who + ' ' + QByteArray::number(i), "Ref " + QByteArray::number(i),
                    QByteArray(length, char('a' + i % 26)) + " end");
    list.m_nCurrent = 0;
    return list;
}

pid_t Fork(const std::function<int()> &child)
{
    const pid_t pid = ::fork();
    if (pid == 0)
        ::_exit(child());
    return pid;
}

// 0-255 for an exit code, 1000 + the signal for a child killed.
int Wait(pid_t child)
{
    int code = 0;
    if (child < 0 || ::waitpid(child, &code, 0) != child)
        return -1;
    return WIFEXITED(code) ? WEXITSTATUS(code) : 1000 + WTERMSIG(code);
}

QStringList Entries(const QString &dir)
{
    return QDir(dir).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
}

} // namespace

// Copies of the program that each read the file, then save their own edits
// at the same moment: one saves, every other one finds the file changed (and
// would ask), so no edit is lost without a word. Many rounds.
void TestSaveSafety::copiesSavingAtOnce_oneSavesTheOthersAreAsked()
{
    constexpr int kRounds = 40;
    constexpr int kCopies = 3;
    QTemporaryDir dir;
    const QString path = dir.filePath("verses.niv");
    int saved = 0;
    int asked = 0;
    for (int round = 0; round < kRounds; ++round) {
        Overwrite(path, VerseFile::Serialize(Verses("Start", 200, 60)));
        int ready[2];
        int go[2];
        QVERIFY(::pipe(ready) == 0 && ::pipe(go) == 0);
        QList<pid_t> copies;
        QList<QByteArray> edits;
        for (int c = 0; c < kCopies; ++c) {
            const VerseList edit = Verses("Copy " + QByteArray::number(c), 150 + 40 * c, 60);
            edits.append(VerseFile::Serialize(edit));
            copies.append(Fork([&] {
                ::close(go[1]);
                VerseFile file(path);
                VerseList list;
                RecordingReporter reporter;
                const bool loaded = file.Load(list, false, reporter);
                char byte = 0;
                if (::write(ready[1], "r", 1) != 1 || ::read(go[0], &byte, 1) != 0 || !loaded)
                    return 9;
                return int(file.Save(edit).status);
            }));
        }
        ::close(go[0]);
        char byte = 0;
        for (int c = 0; c < kCopies; ++c)
            QCOMPARE(::read(ready[0], &byte, 1), ssize_t(1));
        ::close(go[1]); // every copy saves now
        ::close(ready[0]);
        ::close(ready[1]);
        QList<int> said;
        for (pid_t copy : std::as_const(copies))
            said.append(Wait(copy));
        QCOMPARE(said.count(int(SaveResult::Status::Saved)), 1);
        QCOMPARE(said.count(int(SaveResult::Status::ChangedOnDisk)), kCopies - 1);
        QCOMPARE(ReadAll(path), edits[said.indexOf(int(SaveResult::Status::Saved))]);
        saved += 1;
        asked += kCopies - 1;
    }
    qInfo("%d rounds of %d copies: %d saves, %d found the file changed, 0 lost", kRounds, kCopies, saved, asked);
}

void TestSaveSafety::inPlaceSave_killedAnywhere_loadsOldOrNew_data()
{
    QTest::addColumn<int>("oldCount");
    QTest::addColumn<int>("newCount");
    QTest::newRow("new list shorter") << 300 << 240;
    QTest::newRow("new list longer") << 240 << 300;
}

// A file with another hard link is rewritten in place. The saving process is
// killed after every so many bytes written, through the journal and the
// file; each time the next load gives exactly the old or the new list, with
// nothing left behind, and says so when it had to finish the save.
void TestSaveSafety::inPlaceSave_killedAnywhere_loadsOldOrNew()
{
    QFETCH(int, oldCount);
    QFETCH(int, newCount);
    QTemporaryDir dir;
    const QString path = dir.filePath("verses.niv");
    const VerseList oldList = Verses("Old", oldCount, 70);
    const VerseList newList = Verses("New", newCount, 70);
    const QByteArray oldBytes = VerseFile::Serialize(oldList);
    const QByteArray newBytes = VerseFile::Serialize(newList);
    Overwrite(path, oldBytes);
    QVERIFY(::link(qPrintable(path), qPrintable(dir.filePath("other.niv"))) == 0);
    // The journal holds both lists after a line of about 120 bytes; then the
    // file is written. Kill points spread over all of it, and closely around
    // its end.
    const qint64 end = 120 + path.size() + oldBytes.size() + 2 * newBytes.size();
    QList<qint64> points;
    for (qint64 n = 0; n < end; n += end / 60)
        points.append(n);
    for (qint64 n = end - 300; n < end + 100; n += 9)
        points.append(n);
    int asOld = 0, asNew = 0, finished = 0;
    for (qint64 point : std::as_const(points)) {
        const int died = Wait(Fork([&] {
            VerseFile file(path);
            VerseList list;
            RecordingReporter reporter;
            if (!file.Load(list, false, reporter))
                return 9;
            PosixIo::KillAfterBytes(point);
            return int(file.Save(newList).status);
        }));
        QVERIFY2(died == 1000 + SIGKILL || died == 0, qPrintable(QString::number(died)));
        VerseFile file(path);
        VerseList loaded;
        RecordingReporter reporter;
        QVERIFY(file.Load(loaded, false, reporter));
        const LoadNotice notice = file.TakeNotice();
        const QByteArray written = VerseFile::Serialize(loaded);
        QVERIFY2(written == oldBytes || written == newBytes, qPrintable(QString::number(point)));
        QVERIFY(notice.kind == LoadNotice::Kind::None || notice.kind == LoadNotice::Kind::SaveFinished);
        QCOMPARE(Entries(dir.path()), (QStringList{"other.niv", "verses.niv"}));
        QCOMPARE(ReadAll(dir.filePath("other.niv")), written);
        QVERIFY(QDir(m_state.filePath("Lumera")).entryList({"journal-*"}, QDir::Files | QDir::Hidden).isEmpty());
        (written == oldBytes ? asOld : asNew) += 1;
        finished += notice.kind == LoadNotice::Kind::SaveFinished;
        Overwrite(path, oldBytes);
    }
    qInfo("%lld kill points: %d loads gave the old list, %d the new one (%d of them finished by the load)",
          qint64(points.size()), asOld, asNew, finished);
    QVERIFY(finished > 0 && asOld > 0);
}

// A save killed half-way through the file, and the file then changed by
// another program: the load keeps the file as it is and puts the verses of
// the cut-off save in a copy beside it.
void TestSaveSafety::inPlaceSave_killedThenFileChanged_keptInCopy()
{
    QTemporaryDir dir;
    const QString path = dir.filePath("verses.niv");
    const QByteArray newBytes = VerseFile::Serialize(Verses("New", 200, 70));
    Overwrite(path, VerseFile::Serialize(Verses("Old", 200, 70)));
    QVERIFY(::link(qPrintable(path), qPrintable(dir.filePath("other.niv"))) == 0);
    const qint64 halfWay = 120 + path.size() + 2 * newBytes.size() + newBytes.size() / 2;
    QCOMPARE(Wait(Fork([&] {
                 PosixIo::KillAfterBytes(halfWay);
                 return int(VerseFile(path).Save(Verses("New", 200, 70)).status);
             })),
             1000 + SIGKILL);
    // As long as the old list, so that only its bytes tell it from a rewrite cut off.
    const QByteArray theirs = VerseFile::Serialize(Verses("Old", 200, 70)).toUpper();
    Overwrite(path, theirs);
    VerseFile file(path);
    VerseList loaded;
    RecordingReporter reporter;
    QVERIFY(file.Load(loaded, false, reporter));
    QCOMPARE(ReadAll(path), theirs);
    const LoadNotice notice = file.TakeNotice();
    QCOMPARE(notice.kind, LoadNotice::Kind::SaveKeptAside);
    QCOMPARE(ReadAll(QFile::decodeName(notice.copy)), newBytes);
    QCOMPARE(QFileInfo(QFile::decodeName(notice.copy)).absolutePath(), QFileInfo(dir.path()).absoluteFilePath());
    QCOMPARE(file.TakeNotice().kind, LoadNotice::Kind::None); // told once
}

// A rewrite in place that fails part-way (a disk error) puts the old
// contents back, and leaves no journal.
void TestSaveSafety::inPlaceSave_failingPartWay_oldContentsBack()
{
    QTemporaryDir dir;
    const QString path = dir.filePath("verses.niv");
    const QByteArray oldBytes = VerseFile::Serialize(Verses("Old", 200, 70));
    Overwrite(path, oldBytes);
    QVERIFY(::link(qPrintable(path), qPrintable(dir.filePath("other.niv"))) == 0);
    const VerseList newList = Verses("New", 150, 70);
    PosixIo::FailAfterBytes(120 + path.size() + oldBytes.size() + VerseFile::Serialize(newList).size() + 1000, EIO);
    const SaveResult result = VerseFile(path).Save(newList);
    QCOMPARE(int(result.status), int(SaveResult::Status::Failed));
    QCOMPARE(result.error, FileError::FromErrno(EIO));
    QCOMPARE(ReadAll(path), oldBytes);
    QVERIFY(QDir(m_state.filePath("Lumera")).entryList({"journal-*"}, QDir::Files).isEmpty());
}

// A journal whose bytes do not add up (a disk that lost some) is never used:
// the file stays as it is, and the journal goes.
void TestSaveSafety::damagedJournal_neverActedOn()
{
    QTemporaryDir dir;
    const QString path = dir.filePath("verses.niv");
    const QByteArray oldBytes = VerseFile::Serialize(Verses("Old", 200, 70));
    const QByteArray newBytes = VerseFile::Serialize(Verses("New", 200, 70));
    Overwrite(path, oldBytes);
    QVERIFY(::link(qPrintable(path), qPrintable(dir.filePath("other.niv"))) == 0);
    QCOMPARE(Wait(Fork([&] {
                 PosixIo::KillAfterBytes(120 + path.size() + 2 * oldBytes.size() + newBytes.size() / 2);
                 return int(VerseFile(path).Save(Verses("New", 200, 70)).status);
             })),
             1000 + SIGKILL);
    const QStringList journals = QDir(m_state.filePath("Lumera")).entryList({"journal-*"}, QDir::Files);
    QCOMPARE(journals.size(), 1);
    QFile journal(m_state.filePath("Lumera/" + journals[0]));
    QVERIFY(journal.open(QIODevice::ReadWrite) && journal.seek(journal.size() - 10) && journal.write("X") == 1);
    journal.close();
    const QByteArray cutOff = ReadAll(path);
    VerseFile file(path);
    VerseList loaded;
    RecordingReporter reporter;
    QVERIFY(file.Load(loaded, false, reporter));
    QCOMPARE(file.TakeNotice().kind, LoadNotice::Kind::None);
    QCOMPARE(ReadAll(path), cutOff);
    QVERIFY(!journal.exists());
}

// A copy that loaded the file before another was killed rewriting it: its
// save first finishes that rewrite from the journal (the killed copy's
// verses are nowhere else), then finds the file changed and asks; Yes then
// replaces it.
void TestSaveSafety::cutOffRewrite_finishedBeforeTheNextSave()
{
    QTemporaryDir dir;
    const QString path = dir.filePath("verses.niv");
    Overwrite(path, VerseFile::Serialize(Verses("Old", 200, 70)));
    QVERIFY(::link(qPrintable(path), qPrintable(dir.filePath("other.niv"))) == 0);
    VerseFile mine(path);
    VerseList loaded;
    RecordingReporter reporter;
    QVERIFY(mine.Load(loaded, false, reporter));
    const QByteArray theirs = VerseFile::Serialize(Verses("New", 200, 70));
    QCOMPARE(Wait(Fork([&] {
                 PosixIo::KillAfterBytes(120 + path.size() + 2 * theirs.size() + theirs.size() / 2);
                 return int(VerseFile(path).Save(Verses("New", 200, 70)).status);
             })),
             1000 + SIGKILL);
    const VerseList myList = Verses("Mine", 120, 50);
    QCOMPARE(int(mine.Save(myList).status), int(SaveResult::Status::ChangedOnDisk));
    QCOMPARE(ReadAll(path), theirs);
    QVERIFY(QDir(m_state.filePath("Lumera")).entryList({"journal-*"}, QDir::Files).isEmpty());
    QCOMPARE(int(mine.Save(myList, true).status), int(SaveResult::Status::Saved));
    QCOMPARE(ReadAll(path), VerseFile::Serialize(myList));
}

// Recovery copies go beside the verse file under a name of their own, for
// the user alone, and never over a file already there; the ones noted for
// the next start are told once.
void TestSaveSafety::recoveryCopy_besideTheFile_neverOverAnother()
{
    QTemporaryDir dir;
    const QByteArray verses = QFile::encodeName(dir.filePath("Lumera.niv"));
    const RecoveryCopy::Written first = RecoveryCopy::Write(verses, "one");
    const RecoveryCopy::Written second = RecoveryCopy::Write(verses, "two");
    QCOMPARE(first.error, 0);
    QCOMPARE(second.error, 0);
    const QRegularExpression name("^Lumera-recovered-\\d{8}-\\d{6}(-2)?\\.niv$");
    for (const RecoveryCopy::Written &copy : {first, second}) {
        const QFileInfo info(QFile::decodeName(copy.path));
        QVERIFY2(name.match(info.fileName()).hasMatch(), copy.path.constData());
        QCOMPARE(info.absolutePath(), QFileInfo(dir.path()).absoluteFilePath());
        struct stat st = {};
        QVERIFY(::stat(copy.path.constData(), &st) == 0 && (st.st_mode & 07777) == 0600);
    }
    QVERIFY(first.path != second.path);
    QCOMPARE(ReadAll(QFile::decodeName(first.path)), QByteArray("one"));
    QCOMPARE(ReadAll(QFile::decodeName(second.path)), QByteArray("two"));
    RecoveryCopy::NoteForNextStart(first.path);
    RecoveryCopy::NoteForNextStart(second.path);
    QCOMPARE(RecoveryCopy::TakeNoted(), (QByteArrayList{first.path, second.path}));
    QCOMPARE(RecoveryCopy::TakeNoted(), QByteArrayList());
}

QTEST_GUILESS_MAIN(TestSaveSafety)
#include "tst_save_safety.moc"
