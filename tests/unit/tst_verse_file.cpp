#include "RecordingReporter.h"
#include "data/AtomicWrite.h"
#include "data/ErrorMessages.h"
#include "data/VerseFile.h"
#include "data/VerseParser.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <grp.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

// Reading and writing verse files, in memory and on disk.
class TestVerseFile : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { ::umask(022); }
    void parse_data();
    void parse();
    void serialize_data();
    void serialize();
    void save_data();
    void save();
    void realFiles_loadAndSaveUnchanged_data();
    void realFiles_loadAndSaveUnchanged();
    void shortFirstVerses_noRoomForFarMore();
    void concurrentSaves_fileAlwaysOneWholeList();
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
            entry += QString::asprintf(" %o %s", st.st_mode & 07777, st.st_uid != ::geteuid() ? "another's " : "")
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

// Saves in a child process as nobody or under a file-size limit, the signal
// of which would end it; the exit code is the status times 64 plus the error.
SaveResult SaveInChild(VerseFile &file, const VerseList &list, bool asNobody, qint64 sizeLimit)
{
    const pid_t child = ::fork();
    if (child == 0) {
        std::signal(SIGXFSZ, SIG_DFL);
        const rlimit limit{rlim_t(sizeLimit), rlim_t(sizeLimit)};
        if ((sizeLimit > 0 && ::setrlimit(RLIMIT_FSIZE, &limit) != 0)
            || (asNobody
                && (::setgroups(0, nullptr) != 0 || ::setresgid(65534, 65534, 65534) != 0
                    || ::setresuid(65534, 65534, 65534) != 0)))
            ::_exit(255);
        const SaveResult result = file.Save(list);
        struct sigaction now = {};
        ::sigaction(SIGXFSZ, nullptr, &now);
        ::_exit(now.sa_handler == SIG_DFL ? int(result.status) * 64 + result.error : 255);
    }
    int code = 0;
    if (child < 0 || ::waitpid(child, &code, 0) != child || !WIFEXITED(code))
        return {SaveResult::Status::Failed, -100}; // the child died
    return {SaveResult::Status(WEXITSTATUS(code) / 64), WEXITSTATUS(code) % 64};
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

    QTest::newRow("one record, two text lines, CR LF")
        << QByteArray("T\r\nN\r\nA\r\nB\r\n#\r\n$$$\r\n") << Rows{{"T", "N", "A B "}} << true;
    QTest::newRow("bare LF ends lines too") << QByteArray("T\nN\nA\n#\n$$$\n") << Rows{{"T", "N", "A "}} << true;
    QTest::newRow("lone CR stays in the text")
        << QByteArray("T\rX\r\nN\r\nA\r\r\n#\r\n$$$\r\n") << Rows{{"T\rX", "N", "A\r "}} << true;
    QTest::newRow("$$$ in a title ends the file, $$ does not")
        << QByteArray("US$$ 5\r\nN\r\nA\r\n#\r\nsee $$$ here\r\nN2\r\nB\r\n#\r\n$$$\r\n") << Rows{{"US$$ 5", "N", "A "}}
        << true;
    QTest::newRow("# with words around it ends the record, words lost")
        << QByteArray("T\r\nN\r\nA\r\nlost # words\r\nT2\r\nN2\r\n#\r\n$$$\r\n")
        << Rows{{"T", "N", "A "}, {"T2", "N2", ""}} << true;
    QTest::newRow("empty text line keeps its space")
        << QByteArray("T\r\nN\r\n\r\n#\r\n$$$\r\n") << Rows{{"T", "N", " "}} << true;
    QTest::newRow("no end marker, cut in the text: what was read is kept")
        << QByteArray("T\r\nN\r\nA\r\n#\r\nT2\r\nN2\r\nB\r\nC") << Rows{{"T", "N", "A "}, {"T2", "N2", "B C "}} << true;
    QTest::newRow("cut after the title") << QByteArray("T\r\n") << Rows{{"T", "", ""}} << true;
    QTest::newRow("code-page bytes kept as they are") << QByteArray("\310as\r\n\216alm 1\r\n\350\232\r\n#\r\n$$$\r\n")
                                                      << Rows{{"\310as", "\216alm 1", "\350\232 "}} << false;
    QTest::newRow("an overlong form is not UTF-8")
        << QByteArray("T\r\nN\r\n\xC1\xA9\r\n#\r\n$$$\r\n") << Rows{{"T", "N", "\xC1\xA9 "}} << false;
    QTest::newRow("UTF-8 text on three lines, other bytes after the end marker")
        << QByteArray("T\r\nN\r\n\xC3\xA9\r\n\xC3\xA9\r\n\xC3\xA9\r\n#\r\n$$$\r\n\xC8\xFF")
        << Rows{{"T", "N", "\xC3\xA9 \xC3\xA9 \xC3\xA9 "}} << true;
    // Lines are found 64 bytes at a time: what crosses from one block to the next.
    const QByteArray to62 = "T\r\nN\r\n" + QByteArray(56, 'a');
    QTest::newRow("a character split between blocks") << to62 + "\xE2\x80\x9C\r\n#\r\n$$$\r\n"
                                                      << Rows{{"T", "N", to62.mid(6) + "\xE2\x80\x9C "}} << true;
    QTest::newRow("a character cut short at a block's end") << to62 + "\xE2\x80x\r\n#\r\n$$$\r\n"
                                                            << Rows{{"T", "N", to62.mid(6) + "\xE2\x80x "}} << false;
    QTest::newRow("# and $$$ in lines that end in a later block")
        << "T\r\nN\r\n# " + QByteArray(70, 'b') + "\r\n$$$ " + QByteArray(70, 'c') + "\r\nX\r\n"
        << Rows{{"T", "N", ""}} << true;
    QTest::newRow("NUL bytes inside lines") << QByteArrayLiteral("T\0x\r\nN\r\nA\0B\r\n#\r\n$$$\r\n")
                                            << Rows{{QByteArray("T\0x", 3), "N", QByteArray("A\0B ", 4)}} << true;
}

void TestVerseFile::parse()
{
    QFETCH(QByteArray, bytes);
    QFETCH(Rows, verses);
    QFETCH(bool, utf8);
    VerseList expected = ListOf(verses);
    expected.m_nCurrent = 0;
    VerseList copy;
    {
        VerseParser parser(bytes);
        VerseList parsed = parser.Parse();
        QCOMPARE(parsed, expected);
        QCOMPARE(parser.IsUtf8(), utf8);
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
// load (and one after it, as another program's save): the result, the folder
// afterwards, and whether the file there is still the one that was.
void TestVerseFile::save_data()
{
    QTest::addColumn<QString>("before");
    QTest::addColumn<QString>("change");
    QTest::addColumn<bool>("asNobody");
    QTest::addColumn<qint64>("sizeLimit"); // none when 0
    QTest::addColumn<int>("status");
    QTest::addColumn<int>("error");
    QTest::addColumn<QStringList>("folder");
    QTest::addColumn<bool>("sameFile");
    const int saved = int(SaveResult::Status::Saved);
    const int changed = int(SaveResult::Status::ChangedOnDisk);
    const int failed = int(SaveResult::Status::Failed);
    const QString neu = "verses.niv 644 " + kNew;
    const QString old = "echo old >verses.niv; ";
    const QString keepTime = "touch -r verses.niv ../time; ";
    QTest::newRow("new file") << ""
                              << "" << false << 0ll << saved << 0 << QStringList{neu} << false;
    QTest::newRow("a user's private file: owner and mode kept")
        << old + "chown 65534:65534 verses.niv; chmod 600 verses.niv"
        << "" << false << 0ll << saved << 0 << QStringList{"verses.niv 600 another's " + kNew} << false;
    QTest::newRow("through a link: the link kept, its file replaced")
        << "echo old >real.niv; ln -s real.niv verses.niv"
        << "" << false << 0ll << saved << 0 << QStringList{"real.niv 644 " + kNew, "verses.niv link"} << false;
    QTest::newRow("hard link to a longer file: rewritten in place")
        << "seq 40 >verses.niv; ln verses.niv other.niv"
        << "" << false << 0ll << saved << 0 << QStringList{"other.niv 644 " + kNew, neu} << true;
    QTest::newRow("planted temporaries never block")
        << "echo planted >.verses.niv.saving"
        << "" << false << 0ll << saved << 0 << QStringList{".verses.niv.saving 644 planted\n", neu} << false;
    QTest::newRow("changed on disk: its time alone")
        << old << keepTime + "echo odd >verses.niv; touch -d @$(stat -c %Y ../time).5 verses.niv" << false << 0ll
        << changed << 0 << QStringList{"verses.niv 644 odd\n"} << true;
    QTest::newRow("changed on disk: its size alone")
        << old << keepTime + "echo older >verses.niv; touch -r ../time verses.niv" << false << 0ll << changed << 0
        << QStringList{"verses.niv 644 older\n"} << true;
    QTest::newRow("changed on disk: another file alone")
        << old << keepTime + "echo old >new; mv new verses.niv; touch -r ../time verses.niv" << false << 0ll << changed
        << 0 << QStringList{"verses.niv 644 old\n"} << true;
    QTest::newRow("write-protected 0444")
        << old + "chmod 444 verses.niv"
        << "" << false << 0ll << failed << EACCES << QStringList{"verses.niv 444 old\n"} << true;
    QTest::newRow("a FIFO, never opened")
        << "mkfifo verses.niv"
        << "" << false << 0ll << failed << kNotRegularFile << QStringList{"verses.niv special"} << true;
    QTest::newRow("nobody may write the file, not the folder: rewritten in place")
        << old + "chown 65534:65534 verses.niv"
        << "" << true << 0ll << saved << 0 << QStringList{"verses.niv 644 another's " + kNew} << true;
    QTest::newRow("nobody cannot give the owner to a new file: rewritten in place")
        << old + "chmod 666 verses.niv; chmod 777 ."
        << "" << true << 0ll << saved << 0 << QStringList{"verses.niv 666 " + kNew} << true;
    QTest::newRow("file-size limit: the new file fails")
        << old << "" << false << 10ll << failed << EFBIG << QStringList{"verses.niv 644 old\n"} << true;
    QTest::newRow("file-size limit: the rewrite in place fails")
        << old + "ln verses.niv other.niv"
        << "" << false << 10ll << failed << EFBIG << QStringList{"other.niv 644 old\n", "verses.niv 644 old\n"} << true;
}

void TestVerseFile::save()
{
    QFETCH(QString, before);
    QFETCH(QString, change);
    QFETCH(bool, asNobody);
    QFETCH(qint64, sizeLimit);
    QFETCH(int, status);
    QFETCH(int, error);
    QFETCH(QStringList, folder);
    QFETCH(bool, sameFile);
    if (::geteuid() != 0 && (asNobody || before.contains("chown")))
        QSKIP("needs the superuser to hand files to another user");
    QTemporaryDir dir;
    const QString in = dir.filePath("in");
    QVERIFY(QDir(dir.path()).mkdir("in") && ::chmod(QFile::encodeName(dir.path()).constData(), 0755) == 0);
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
    const bool inChild = asNobody || sizeLimit > 0;
    const SaveResult result = inChild ? SaveInChild(file, list, asNobody, sizeLimit) : file.Save(list);
    QCOMPARE(int(result.status), status);
    QCOMPARE(result.error, error);
    QCOMPARE(Describe(in), folder);
    if (result.error == kNotRegularFile) // shown with its own reason, not an errno's
        QVERIFY(ErrorMessages::CantSaveVerseFile(false, "v", result.error).endsWith("\n\nNot a regular file"));
    if (inode != 0)
        QCOMPARE(InodeOf(file.path()) == inode, sameFile);
    // Not replaced: the next save asks again. Saved: the file is remembered
    // as written, so saving again asks nothing.
    if (result.status == SaveResult::Status::ChangedOnDisk)
        QCOMPARE(int(file.Save(list).status), status);
    if (result.status != SaveResult::Status::Failed && !inChild) {
        const bool replace = result.status == SaveResult::Status::ChangedOnDisk;
        QCOMPARE(int(file.Save(list, replace).status), int(SaveResult::Status::Saved));
        QCOMPARE(ReadAll(file.path()), kNew);
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

// Several programs saving one file at once, again and again: every save
// lands whole, and a reader only ever finds one of the saved lists.
void TestVerseFile::concurrentSaves_fileAlwaysOneWholeList()
{
    QTemporaryDir dir;
    const QString path = dir.filePath("verses.niv");
    QList<QByteArray> lists{"$$$\r\n"};
    QFile start(path);
    QVERIFY(start.open(QIODevice::WriteOnly) && start.write(lists[0]) == lists[0].size());
    start.close();
    QList<pid_t> writers;
    for (int w = 0; w < 4; ++w) {
        VerseList list;
        for (int i = 0; i < 1000 + 300 * w; ++i)
            list.Append("Writer " + QByteArray::number(w), QByteArray::number(i), QByteArray(80, 'a' + w));
        lists.append(VerseFile::Serialize(list));
        const pid_t child = ::fork();
        if (child == 0) {
            int failed = 0;
            for (int round = 0; round < 25; ++round)
                failed += VerseFile(path).Save(list).status != SaveResult::Status::Saved;
            ::_exit(failed);
        }
        writers.append(child);
    }
    for (pid_t child : std::as_const(writers)) {
        int code = 0;
        while (::waitpid(child, &code, WNOHANG) == 0)
            QVERIFY2(lists.contains(ReadAll(path)), "the verse file holds no whole list");
        QVERIFY(WIFEXITED(code));
        QCOMPARE(WEXITSTATUS(code), 0);
    }
    QVERIFY(lists.contains(ReadAll(path)));
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden | QDir::System), QStringList{"verses.niv"});
}

QTEST_GUILESS_MAIN(TestVerseFile)
#include "tst_verse_file.moc"
