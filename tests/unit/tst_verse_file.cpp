#include "RecordingReporter.h"
#include "data/ErrorMessages.h"
#include "data/FileLock.h"
#include "data/StateFolder.h"
#include "data/VerseFile.h"
#include "data/VerseParser.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <grp.h>
#include <sys/file.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

// Reading and writing verse files, in memory and on disk.
class TestVerseFile : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        ::umask(022);
        QVERIFY(m_state.isValid());
        StateFolder::UsePath(QFile::encodeName(m_state.filePath("Lumera")));
    }
    void parse_data();
    void parse();
    void serialize_data();
    void serialize();
    void save_data();
    void save();
    void realFiles_loadAndSaveUnchanged_data();
    void realFiles_loadAndSaveUnchanged();
    void shortFirstVerses_noRoomForFarMore();

private:
    QTemporaryDir m_state;
};

namespace {

using Rows = QList<QByteArrayList>; // {title, number, contents} per verse

VerseList ListOf(const Rows &rows)
{
    VerseList list;
    for (const QByteArrayList &row : rows)
        list.Append(row.value(0), row.value(1), row.value(2));
    return list;
}

const QByteArray kNew = "T\r\nN\r\nA\r\n#\r\n$$$\r\n";

QByteArray ReadAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The folder as a save left it: each entry's kind, and a file's mode and bytes.
QStringList Describe(const QString &dir)
{
    QStringList entries = QDir(dir).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    for (QString &entry : entries) {
        const QString path = QDir(dir).filePath(entry);
        struct stat st = {};
        ::lstat(QFile::encodeName(path).constData(), &st);
        if (S_ISREG(st.st_mode))
            entry += QString::asprintf(" %o %s%s", st.st_mode & 07777, st.st_uid != ::geteuid() ? "another's " : "",
                                       st.st_gid != ::getegid() ? "another group's " : "")
                     + QString::fromLatin1(ReadAll(path));
        else
            entry += S_ISLNK(st.st_mode) ? " link" : " special";
    }
    return entries;
}

ino_t InodeOf(const QString &path)
{
    struct stat st = {};
    return ::stat(QFile::encodeName(path).constData(), &st) == 0 ? st.st_ino : 0;
}

// What a save said: "saved", "changed", "vanished" or "failed: " and the reason.
QString Outcome(const SaveResult &result)
{
    switch (result.status) {
    case SaveResult::Status::Saved: return QStringLiteral("saved");
    case SaveResult::Status::ChangedOnDisk: return result.vanished ? "vanished" : "changed";
    case SaveResult::Status::Failed: break;
    }
    return "failed: " + ErrorMessages::Reason(false, result.error);
}

// Saves in a child process as nobody (with a state folder nobody may make)
// or under a file-size limit, the signal of which would end it; the child
// hands back what the save said.
QString SaveInChild(VerseFile &file, const VerseList &list, bool asNobody, qint64 sizeLimit, const QString &state)
{
    int channel[2];
    if (::pipe(channel) != 0)
        return "no pipe";
    const pid_t child = ::fork();
    if (child == 0) {
        std::signal(SIGXFSZ, SIG_DFL);
        StateFolder::UsePath(QFile::encodeName(state + "/Lumera"));
        const rlimit limit{rlim_t(sizeLimit), rlim_t(sizeLimit)};
        if ((sizeLimit > 0 && ::setrlimit(RLIMIT_FSIZE, &limit) != 0)
            || (asNobody
                && (::setgroups(0, nullptr) != 0 || ::setresgid(65534, 65534, 65534) != 0
                    || ::setresuid(65534, 65534, 65534) != 0)))
            ::_exit(1);
        const QByteArray said = Outcome(file.Save(list)).toUtf8();
        struct sigaction now = {};
        ::sigaction(SIGXFSZ, nullptr, &now);
        ::_exit(now.sa_handler == SIG_DFL && ::write(channel[1], said.constData(), size_t(said.size())) > 0 ? 0 : 1);
    }
    ::close(channel[1]);
    QFile said;
    QByteArray bytes;
    if (said.open(channel[0], QIODevice::ReadOnly, QFileDevice::AutoCloseHandle))
        bytes = said.readAll();
    int code = 0;
    if (child < 0 || ::waitpid(child, &code, 0) != child || !WIFEXITED(code) || WEXITSTATUS(code) != 0)
        return "the child died";
    return QString::fromUtf8(bytes);
}

// Runs a shell script, if any, in dir.
void Run(const QString &dir, const QString &script)
{
    if (script.isEmpty())
        return;
    QProcess shell;
    shell.setWorkingDirectory(dir);
    shell.start(QStringLiteral("/bin/sh"), {QStringLiteral("-ec"), script});
    QVERIFY(shell.waitForFinished());
    QVERIFY2(shell.exitStatus() == QProcess::NormalExit && shell.exitCode() == 0, qPrintable(script));
}

} // namespace

void TestVerseFile::parse_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<Rows>("verses");
    QTest::addColumn<bool>("utf8"); // of the bytes up to the end marker
    QTest::addColumn<int>("dropped"); // lines a save would not give back

    QTest::newRow("one record, two text lines, CR LF")
        << QByteArray("T\r\nN\r\nA\r\nB\r\n#\r\n$$$\r\n") << Rows{{"T", "N", "A B "}} << true << 0;
    QTest::newRow("bare LF ends lines too") << QByteArray("T\nN\nA\n#\n$$$\n") << Rows{{"T", "N", "A "}} << true << 0;
    QTest::newRow("lone CR stays in the text")
        << QByteArray("T\rX\r\nN\r\nA\r\r\n#\r\n$$$\r\n") << Rows{{"T\rX", "N", "A\r "}} << true << 0;
    QTest::newRow("$$$ in a title ends the file, $$ does not")
        << QByteArray("US$$ 5\r\nN\r\nA\r\n#\r\nsee $$$ here\r\nN2\r\nB\r\n#\r\n$$$\r\n") << Rows{{"US$$ 5", "N", "A "}}
        << true << 5;
    QTest::newRow("# with words around it ends the record, words lost")
        << QByteArray("T\r\nN\r\nA\r\nlost # words\r\nT2\r\nN2\r\n#\r\n$$$\r\n")
        << Rows{{"T", "N", "A "}, {"T2", "N2", ""}} << true << 1;
    QTest::newRow("empty text line keeps its space")
        << QByteArray("T\r\nN\r\n\r\n#\r\n$$$\r\n") << Rows{{"T", "N", " "}} << true << 0;
    QTest::newRow("no end marker, cut in the text: what was read is kept")
        << QByteArray("T\r\nN\r\nA\r\n#\r\nT2\r\nN2\r\nB\r\nC") << Rows{{"T", "N", "A "}, {"T2", "N2", "B C "}} << true
        << 0;
    QTest::newRow("cut after the title") << QByteArray("T\r\n") << Rows{{"T", "", ""}} << true << 0;
    QTest::newRow("code-page bytes kept as they are") << QByteArray("\310as\r\n\216alm 1\r\n\350\232\r\n#\r\n$$$\r\n")
                                                      << Rows{{"\310as", "\216alm 1", "\350\232 "}} << false << 0;
    QTest::newRow("an overlong form is not UTF-8")
        << QByteArray("T\r\nN\r\n\xC1\xA9\r\n#\r\n$$$\r\n") << Rows{{"T", "N", "\xC1\xA9 "}} << false << 0;
    QTest::newRow("UTF-8 text on three lines, other bytes after the end marker")
        << QByteArray("T\r\nN\r\n\xC3\xA9\r\n\xC3\xA9\r\n\xC3\xA9\r\n#\r\n$$$\r\n\xC8\xFF")
        << Rows{{"T", "N", "\xC3\xA9 \xC3\xA9 \xC3\xA9 "}} << true << 1;
    // Lines are found 64 bytes at a time: what crosses from one block to the next.
    const QByteArray to62 = "T\r\nN\r\n" + QByteArray(56, 'a');
    QTest::newRow("a character split between blocks") << to62 + "\xE2\x80\x9C\r\n#\r\n$$$\r\n"
                                                      << Rows{{"T", "N", to62.mid(6) + "\xE2\x80\x9C "}} << true << 0;
    QTest::newRow("a character cut short at a block's end")
        << to62 + "\xE2\x80x\r\n#\r\n$$$\r\n"
        << Rows{{"T", "N", to62.mid(6) + "\xE2\x80x "}} << false << 0;
    QTest::newRow("# and $$$ in lines that end in a later block")
        << "T\r\nN\r\n# " + QByteArray(70, 'b') + "\r\n$$$ " + QByteArray(70, 'c') + "\r\nX\r\n"
        << Rows{{"T", "N", ""}} << true << 3;
    QTest::newRow("CR-only line ends: one line holding the end marker, all of it dropped")
        << QByteArray("T\rN\rA\r#\r$$$\r") << Rows{} << true << 4;
    QTest::newRow("blanks around the markers and blank lines after them drop nothing")
        << QByteArray("T\r\nN\r\nA\r\n#  \r\n $$$\t\r\n \r\n\r\n") << Rows{{"T", "N", "A "}} << true << 0;
    QTest::newRow("NUL bytes inside lines") << QByteArrayLiteral("T\0x\r\nN\r\nA\0B\r\n#\r\n$$$\r\n")
                                            << Rows{{QByteArray("T\0x", 3), "N", QByteArray("A\0B ", 4)}} << true << 0;
}

void TestVerseFile::parse()
{
    QFETCH(QByteArray, bytes);
    QFETCH(Rows, verses);
    QFETCH(bool, utf8);
    QFETCH(int, dropped);
    VerseList expected = ListOf(verses);
    expected.m_nCurrent = 0;
    VerseList copy;
    {
        VerseParser parser(bytes);
        VerseList parsed = parser.Parse();
        QCOMPARE(parsed, expected);
        QCOMPARE(parser.IsUtf8(), utf8);
        QCOMPARE(parser.DroppedLines(), dropped);
        copy = parsed;
        // The elements refer into bytes the copies share: a change, in place
        // or by assignment, reaches neither those bytes nor the other copy.
        for (QByteArray &text : parsed.m_arrContents)
            text.fill('x');
        if (!parsed.m_arrTitles.isEmpty())
            parsed.m_arrTitles[0] = "changed";
    }
    QCOMPARE(copy, expected); // and outlive the list they were read into
}

// How a text is written: its lines between the reference and the "#".
void TestVerseFile::serialize_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<QByteArray>("lines");
    const QByteArray words = QByteArray("abcdefghi ").repeated(5); // 50 bytes
    QTest::newRow("empty text writes no text line") << QByteArray() << QByteArray();
    QTest::newRow("one final space is not written") << QByteArray("A B ") << QByteArray("A B\r\n");
    QTest::newRow("69 bytes stay on one line") << words + "abcdefghi abcdefgh." << words + "abcdefghi abcdefgh.\r\n";
    QTest::newRow("70 bytes break at the first space from index 50")
        << words + "abcdefghi abcdefghi." << words + "abcdefghi\r\nabcdefghi.\r\n";
    QTest::newRow("a space at index 50 breaks, one at 48 does not")
        << QByteArray(48, 'a') + " b " + QByteArray(30, 'c')
        << QByteArray(48, 'a') + " b\r\n" + QByteArray(30, 'c') + "\r\n";
    QTest::newRow("break exactly at the last byte writes no empty line")
        << QByteArray(69, 'x') + " " << QByteArray(69, 'x') + "\r\n";
    QTest::newRow("huge word written whole") << QByteArray(200, 'w') + " " << QByteArray(200, 'w') + "\r\n";
    QTest::newRow("break space kept when a second space follows")
        << QByteArray(55, 'a') + "  " + QByteArray(20, 'b') + " "
        << QByteArray(55, 'a') + " \r\n" + QByteArray(20, 'b') + "\r\n";
    QTest::newRow("line break inside a text becomes CR LF")
        << QByteArray("A\r\nB\nC ") << QByteArray("A\r\r\nB\r\nC\r\n");
}

void TestVerseFile::serialize()
{
    QFETCH(QByteArray, text);
    QFETCH(QByteArray, lines);
    QCOMPARE(VerseFile::Serialize(ListOf({{"T", "N", text}})), "T\r\nN\r\n" + lines + "#\r\n$$$\r\n");
}

// A save of one verse to each kind of target, made by a script before the
// load (and one after it, as another program's save), perhaps while another
// program holds the file: what the save says, the folder afterwards, and
// whether the file there is still the one that was.
void TestVerseFile::save_data()
{
    QTest::addColumn<QString>("before");
    QTest::addColumn<QString>("change");
    QTest::addColumn<bool>("asNobody");
    QTest::addColumn<qint64>("sizeLimit"); // none when 0
    QTest::addColumn<bool>("held"); // by another program past the wait
    QTest::addColumn<QString>("outcome");
    QTest::addColumn<QStringList>("folder");
    QTest::addColumn<bool>("sameFile");
    const QString neu = "verses.niv 644 " + kNew;
    const QString oldFile = "verses.niv 644 old\n";
    const QString old = "echo old >verses.niv; ";
    const QString keepTime = "touch -r verses.niv ../time; ";
    const auto row = [](const char *name, const QString &before, const QString &change, const QString &outcome,
                        const QStringList &folder, bool sameFile, bool asNobody = false, qint64 sizeLimit = 0,
                        bool held = false) {
        QTest::newRow(name) << before << change << asNobody << sizeLimit << held << outcome << folder << sameFile;
    };
    row("new file", "", "", "saved", {neu}, false);
    row("another user's file: left as it was", old + "chown 65534:65534 verses.niv", "",
        "failed: It belongs to another user.", {"verses.niv 644 another's another group's old\n"}, true);
    row("another group's file: owner, group and mode kept", old + "chgrp 65534 verses.niv; chmod 640 verses.niv", "",
        "saved", {"verses.niv 640 another group's " + kNew}, false);
    row("through a link: the link kept, its file replaced", "echo old >real.niv; ln -s real.niv verses.niv", "",
        "saved", {"real.niv 644 " + kNew, "verses.niv link"}, false);
    row("another user's link: left as it was",
        "echo old >real.niv; ln -s real.niv verses.niv; chown -h 65534 verses.niv", "",
        "failed: It belongs to another user.", {"real.niv 644 old\n", "verses.niv link"}, true);
    row("another user's link further down a chain: left as it was",
        "echo old >real.niv; ln -s real.niv mid.niv; ln -s mid.niv verses.niv; chown -h 65534 mid.niv", "",
        "failed: It belongs to another user.", {"mid.niv link", "real.niv 644 old\n", "verses.niv link"}, true);
    row("hard link to a longer file: rewritten in place", "seq 40 >verses.niv; ln verses.niv other.niv", "", "saved",
        {"other.niv 644 " + kNew, neu}, true);
    row("planted temporaries never block", "echo planted >.verses.niv.saving", "", "saved",
        {".verses.niv.saving 644 planted\n", neu}, false);
    row("changed on disk: its time alone", old,
        keepTime + "echo odd >verses.niv; touch -d @$(stat -c %Y ../time).5 verses.niv", "changed",
        {"verses.niv 644 odd\n"}, true);
    row("changed on disk: its size alone", old, keepTime + "echo older >verses.niv; touch -r ../time verses.niv",
        "changed", {"verses.niv 644 older\n"}, true);
    row("changed on disk: another file alone", old,
        keepTime + "echo old >new; mv new verses.niv; touch -r ../time verses.niv", "changed", {oldFile}, true);
    row("gone since it was read: asked first", old, "rm verses.niv", "vanished", {}, false);
    row("a link whose file went: asked first, then written through the link",
        "echo old >real.niv; ln -s real.niv verses.niv", "rm real.niv", "vanished", {"verses.niv link"}, false);
    row("held by another program for a moment: saved once it lets go", old,
        "flock verses.niv sleep 0.3 </dev/null >/dev/null 2>&1 & sleep 0.1", "saved", {neu}, false);
    row("held by another program past the wait: left as it was", old, "", "failed: Another program kept it in use.",
        {oldFile}, true, false, 0, true);
    row("write-protected 0444", old + "chmod 444 verses.niv", "", "failed: Permission denied", {"verses.niv 444 old\n"},
        true);
    row("another group may write it: left as it was", old + "chgrp 65534 verses.niv; chmod 664 verses.niv", "",
        "failed: Other users may change it.", {"verses.niv 664 another group's old\n"}, true);
    row("others may write it: left as it was", old + "chmod 666 verses.niv", "", "failed: Other users may change it.",
        {"verses.niv 666 old\n"}, true);
    row("a FIFO, never opened", "mkfifo verses.niv", "", "failed: Not a regular file", {"verses.niv special"}, true);
    row("nobody may write the file, not the folder: rewritten in place", old + "chown 65534:65534 verses.niv", "",
        "saved", {"verses.niv 644 another's another group's " + kNew}, true, true);
    row("nobody cannot give the owner to a new file: rewritten in place",
        old + "chgrp 65534 verses.niv; chmod 664 verses.niv; chmod 777 .", "", "saved",
        {"verses.niv 664 another group's " + kNew}, true, true);
    row("file-size limit: the new file fails", old, "", "failed: File too large", {oldFile}, true, false, 10);
    row("file-size limit: the rewrite in place fails", old + "ln verses.niv other.niv", "", "failed: File too large",
        {"other.niv 644 old\n", oldFile}, true, false, 10);
}

void TestVerseFile::save()
{
    QFETCH(QString, before);
    QFETCH(QString, change);
    QFETCH(bool, asNobody);
    QFETCH(qint64, sizeLimit);
    QFETCH(bool, held);
    QFETCH(QString, outcome);
    QFETCH(QStringList, folder);
    QFETCH(bool, sameFile);
    if (::geteuid() != 0 && (asNobody || before.contains("chown") || before.contains("chgrp")))
        QSKIP("needs the superuser to hand files to another user");
    QTemporaryDir dir;
    const QString in = dir.filePath("in");
    QVERIFY(QDir(dir.path()).mkdir("in") && ::chmod(QFile::encodeName(dir.path()).constData(), 0755) == 0);
    const QString nobodyState = dir.filePath("state");
    QVERIFY(QDir(dir.path()).mkdir("state") && ::chmod(QFile::encodeName(nobodyState).constData(), 0777) == 0);
    Run(in, before);
    VerseFile file(in + "/verses.niv");
    VerseList list = VerseFile::Parse(kNew);
    RecordingReporter reporter;
    // Only a regular file loads; a failed load is reported and leaves no verse behind.
    const bool loaded = file.Load(list, false, reporter);
    QCOMPARE(loaded, QFileInfo(file.path()).isFile());
    QCOMPARE(list.m_nVerseCount == 0 && reporter.messages.size() == 1, !loaded);
    Run(in, change);
    const ino_t inode = InodeOf(file.path());
    list = VerseFile::Parse(kNew);
    QFile holder(file.path());
    if (held) {
        FileLock::SetWaitMilliseconds(100);
        QVERIFY(holder.open(QIODevice::ReadOnly) && ::flock(holder.handle(), LOCK_EX) == 0);
    }
    const bool inChild = asNobody || sizeLimit > 0;
    const QString said = inChild ? SaveInChild(file, list, asNobody, sizeLimit, nobodyState) : Outcome(file.Save(list));
    holder.close();
    FileLock::SetWaitMilliseconds(FileLock::kDefaultWaitMilliseconds);
    QCOMPARE(said, outcome);
    QCOMPARE(Describe(in), folder);
    if (inode != 0)
        QCOMPARE(InodeOf(file.path()) == inode, sameFile);
    // Not replaced: the next save asks again. Saved: the file is remembered
    // as written, so saving again asks nothing; asked, Yes writes.
    const bool asked = outcome == "changed" || outcome == "vanished";
    if (asked)
        QCOMPARE(Outcome(file.Save(list)), outcome);
    if (!outcome.startsWith("failed") && !inChild) {
        QCOMPARE(Outcome(file.Save(list, asked)), QStringLiteral("saved"));
        QCOMPARE(ReadAll(file.path()), kNew);
        QCOMPARE(QFileInfo(file.path()).isSymLink(), folder.contains("verses.niv link"));
    }
}

// Files as people have them: a load and a save gives back every byte. The
// sample shipped with the program also reads with single spaces only.
void TestVerseFile::realFiles_loadAndSaveUnchanged_data()
{
    QTest::addColumn<QString>("source");
    QTest::addColumn<int>("count");
    QTest::newRow("shipped sample") << QStringLiteral(LUMERA_SAMPLE_DIR "/Lumera.niv") << 150;
    QTest::newRow("whole Bible") << QStringLiteral(LUMERA_SHARED_DATA "/bible-full.niv") << 31095;
    QTest::newRow("Windows-1250") << QStringLiteral(LUMERA_SHARED_DATA "/cz-cp1250.niv") << 10;
}

void TestVerseFile::realFiles_loadAndSaveUnchanged()
{
    QFETCH(QString, source);
    QFETCH(int, count);
    if (!QFile::exists(source))
        QSKIP("the shared verse files are not beside the project");
    QTemporaryDir dir;
    VerseFile file(dir.filePath("verses.niv"));
    QVERIFY(QFile::copy(source, file.path()));
    VerseList list;
    RecordingReporter reporter;
    QVERIFY(file.Load(list, false, reporter));
    QCOMPARE(list.m_nVerseCount, count);
    if (source.startsWith(LUMERA_SAMPLE_DIR))
        for (const QByteArray &text : std::as_const(list.m_arrContents))
            QVERIFY2(!text.contains("  "), text.constData());
    QCOMPARE(int(file.Save(list).status), int(SaveResult::Status::Saved));
    QVERIFY(ReadAll(file.path()) == ReadAll(source));
}

// Short first verses do not make the reader reserve room for far more
// verses than the file holds.
void TestVerseFile::shortFirstVerses_noRoomForFarMore()
{
    QByteArray bytes = QByteArray("\n\n#\n").repeated(512) + "T\nN\n" + QByteArray(1 << 20, 'x') + "\n#\n$$$\n";
    const VerseList list = VerseFile::Parse(bytes);
    QCOMPARE(list.m_nVerseCount, 513);
    QVERIFY(3 * list.m_arrTitles.capacity() * qsizetype(sizeof(QByteArray)) < bytes.size());
}

QTEST_GUILESS_MAIN(TestVerseFile)
#include "tst_verse_file.moc"
