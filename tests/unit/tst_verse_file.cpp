#include "RecordingReporter.h"
#include "data/AtomicWrite.h"
#include "data/VerseFile.h"
#include "data/VerseParser.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>

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
    QStringList entries =
        QDir(dir).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    for (QString &entry : entries) {
        const QString path = QDir(dir).filePath(entry);
        struct stat st = {};
        ::lstat(QFile::encodeName(path).constData(), &st);
        if (S_ISREG(st.st_mode))
            entry += ' ' + QString::number(st.st_mode & 07777, 8) + ' ' + QString::fromLatin1(ReadAll(path));
        else
            entry += S_ISLNK(st.st_mode) ? " link" : S_ISDIR(st.st_mode) ? " folder" : " special";
    }
    return entries;
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
    QTest::newRow("bare LF ends lines too")
        << QByteArray("T\nN\nA\n#\n$$$\n") << Rows{{"T", "N", "A "}} << true;
    QTest::newRow("lone CR stays in the text")
        << QByteArray("T\rX\r\nN\r\nA\r\r\n#\r\n$$$\r\n") << Rows{{"T\rX", "N", "A\r "}} << true;
    QTest::newRow("$$$ inside a title ends the file")
        << QByteArray("T\r\nN\r\nA\r\n#\r\nsee $$$ here\r\nN2\r\nB\r\n#\r\n$$$\r\n") << Rows{{"T", "N", "A "}}
        << true;
    QTest::newRow("$$ in a title does not")
        << QByteArray("US$$ 5\r\nN\r\nA\r\n#\r\n$$$\r\n") << Rows{{"US$$ 5", "N", "A "}} << true;
    QTest::newRow("# with words around it ends the record, words lost")
        << QByteArray("T\r\nN\r\nA\r\nlost # words\r\nT2\r\nN2\r\n#\r\n$$$\r\n")
        << Rows{{"T", "N", "A "}, {"T2", "N2", ""}} << true;
    QTest::newRow("empty text line keeps its space")
        << QByteArray("T\r\nN\r\n\r\n#\r\n$$$\r\n") << Rows{{"T", "N", " "}} << true;
    QTest::newRow("no end marker, cut in the text: what was read is kept")
        << QByteArray("T\r\nN\r\nA\r\n#\r\nT2\r\nN2\r\nB\r\nC")
        << Rows{{"T", "N", "A "}, {"T2", "N2", "B C "}} << true;
    QTest::newRow("cut after the title") << QByteArray("T\r\n") << Rows{{"T", "", ""}} << true;
    QTest::newRow("code-page bytes kept as they are") << QByteArray("\xC8"
                                                                    "as\r\n\x8E"
                                                                    "alm 1\r\n\xE8\x9A\r\n#\r\n$$$\r\n")
                                                      << Rows{{"\xC8"
                                                               "as",
                                                               "\x8E"
                                                               "alm 1",
                                                               "\xE8\x9A "}}
                                                      << false;
    QTest::newRow("UTF-8 text on three lines")
        << QByteArray("T\r\nN\r\n\xC3\xA9\r\n\xC3\xA9\r\n\xC3\xA9\r\n#\r\n$$$\r\n")
        << Rows{{"T", "N", "\xC3\xA9 \xC3\xA9 \xC3\xA9 "}} << true;
    QTest::newRow("UTF-8 with other bytes after the end marker")
        << QByteArray("T\r\nN\r\n\xC3\xA9\r\n#\r\n$$$\r\n\xC8\xFF") << Rows{{"T", "N", "\xC3\xA9 "}} << true;
    QTest::newRow("NUL bytes inside lines")
        << QByteArrayLiteral("T\0x\r\nN\r\nA\0B\r\n#\r\n$$$\r\n")
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

void TestVerseFile::serialize_data()
{
    QTest::addColumn<Rows>("verses");
    QTest::addColumn<QByteArray>("bytes");

    const QByteArray words = QByteArray("abcdefghi ").repeated(5); // 50 bytes
    QTest::newRow("empty text writes no text line")
        << Rows{{"T", "N", ""}} << QByteArray("T\r\nN\r\n#\r\n$$$\r\n");
    QTest::newRow("one final space is not written")
        << Rows{{"T", "N", "A B "}} << QByteArray("T\r\nN\r\nA B\r\n#\r\n$$$\r\n");
    QTest::newRow("a lone space is an empty line")
        << Rows{{"T", "N", " "}} << QByteArray("T\r\nN\r\n\r\n#\r\n$$$\r\n");
    QTest::newRow("69 bytes stay on one line")
        << Rows{{"T", "N", words + "abcdefghi abcdefgh."}}
        << "T\r\nN\r\n" + words + "abcdefghi abcdefgh.\r\n#\r\n$$$\r\n";
    QTest::newRow("70 bytes break at the first space from index 50")
        << Rows{{"T", "N", words + "abcdefghi abcdefghi."}}
        << "T\r\nN\r\n" + words + "abcdefghi\r\nabcdefghi.\r\n#\r\n$$$\r\n";
    QTest::newRow("a space at index 50 breaks, one at 48 does not")
        << Rows{{"T", "N", QByteArray(48, 'a') + " b " + QByteArray(30, 'c')}}
        << "T\r\nN\r\n" + QByteArray(48, 'a') + " b\r\n" + QByteArray(30, 'c') + "\r\n#\r\n$$$\r\n";
    QTest::newRow("break exactly at the last byte writes no empty line")
        << Rows{{"T", "N", QByteArray(69, 'x') + " "}}
        << "T\r\nN\r\n" + QByteArray(69, 'x') + "\r\n#\r\n$$$\r\n";
    QTest::newRow("huge word written whole") << Rows{{"T", "N", QByteArray(200, 'w') + " "}}
                                             << "T\r\nN\r\n" + QByteArray(200, 'w') + "\r\n#\r\n$$$\r\n";
    QTest::newRow("break space kept when a second space follows")
        << Rows{{"T", "N", QByteArray(55, 'a') + "  " + QByteArray(20, 'b') + " "}}
        << "T\r\nN\r\n" + QByteArray(55, 'a') + " \r\n" + QByteArray(20, 'b') + "\r\n#\r\n$$$\r\n";
    QTest::newRow("line break inside a text becomes CR LF")
        << Rows{{"T", "N", "A\r\nB "}} << QByteArray("T\r\nN\r\nA\r\r\nB\r\n#\r\n$$$\r\n");
    QTest::newRow("bare LF in a title becomes CR LF")
        << Rows{{"T\nU", "N", "A "}} << QByteArray("T\r\nU\r\nN\r\nA\r\n#\r\n$$$\r\n");
}

void TestVerseFile::serialize()
{
    QFETCH(Rows, verses);
    QFETCH(QByteArray, bytes);
    QCOMPARE(VerseFile::Serialize(ListOf(verses)), bytes);
}

// What a save of one verse does to each kind of target: the result, and the
// folder afterwards. A script makes the target, the file is loaded, and a
// second script may change it on disk, as another program's save would.
void TestVerseFile::save_data()
{
    QTest::addColumn<QString>("before");
    QTest::addColumn<QString>("change");
    QTest::addColumn<int>("status");
    QTest::addColumn<int>("error");
    QTest::addColumn<QStringList>("folder");
    const int saved = int(SaveResult::Status::Saved);
    const int changed = int(SaveResult::Status::ChangedOnDisk);
    const int failed = int(SaveResult::Status::Failed);
    const QString neu = "verses.niv 644 " + kNew;
    const QString keepTime = "touch -r verses.niv ../time; ";
    QTest::newRow("new file") << ""
                              << "" << saved << 0 << QStringList{neu};
    QTest::newRow("mode 0640 kept") << "echo old >verses.niv; chmod 640 verses.niv"
                                    << "" << saved << 0 << QStringList{"verses.niv 640 " + kNew};
    QTest::newRow("through a link: the link kept, its file replaced")
        << "echo old >real.niv; ln -s real.niv verses.niv"
        << "" << saved << 0 << QStringList{"real.niv 644 " + kNew, "verses.niv link"};
    QTest::newRow("hard link to a longer file: both names get the new list")
        << "seq 40 >verses.niv; ln verses.niv other.niv"
        << "" << saved << 0 << QStringList{"other.niv 644 " + kNew, neu};
    QTest::newRow("planted temporaries never block")
        << "echo planted >.verses.niv.saving"
        << "" << saved << 0 << QStringList{".verses.niv.saving 644 planted\n", neu};
    QTest::newRow("changed on disk: its time alone")
        << "echo old >verses.niv"
        << keepTime + "echo odd >verses.niv; touch -d @$(stat -c %Y ../time).5 verses.niv" << changed << 0
        << QStringList{"verses.niv 644 odd\n"};
    QTest::newRow("changed on disk: its size alone")
        << "echo old >verses.niv" << keepTime + "echo older >verses.niv; touch -r ../time verses.niv"
        << changed << 0 << QStringList{"verses.niv 644 older\n"};
    QTest::newRow("changed on disk: another file alone")
        << "echo old >verses.niv"
        << keepTime + "echo old >new; mv new verses.niv; touch -r ../time verses.niv" << changed << 0
        << QStringList{"verses.niv 644 old\n"};
    QTest::newRow("write-protected 0444") << "echo old >verses.niv; chmod 444 verses.niv"
                                          << "" << failed << EACCES << QStringList{"verses.niv 444 old\n"};
    QTest::newRow("a FIFO, never opened")
        << "mkfifo verses.niv"
        << "" << failed << kNotRegularFile << QStringList{"verses.niv special"};
}

void TestVerseFile::save()
{
    QFETCH(QString, before);
    QFETCH(QString, change);
    QFETCH(int, status);
    QFETCH(int, error);
    QFETCH(QStringList, folder);
    QTemporaryDir dir;
    const QString in = dir.filePath("in");
    QVERIFY(QDir(dir.path()).mkdir("in"));
    Run(in, before);
    VerseFile file(in + "/verses.niv");
    VerseList list = VerseFile::Parse(kNew);
    RecordingReporter reporter;
    // A failed load is reported and leaves no verse behind.
    const bool loaded = file.Load(list, false, reporter);
    QCOMPARE(list.m_nVerseCount == 0 && reporter.messages.size() == 1, !loaded);
    Run(in, change);
    list = VerseFile::Parse(kNew);
    const SaveResult result = file.Save(list);
    QCOMPARE(int(result.status), status);
    QCOMPARE(result.error, error);
    QCOMPARE(Describe(in), folder);
    // Not replaced: the next save asks again. Saved: the file is remembered
    // as written, so saving again asks nothing.
    if (result.status == SaveResult::Status::ChangedOnDisk)
        QCOMPARE(int(file.Save(list).status), status);
    if (result.status != SaveResult::Status::Failed) {
        const bool replace = result.status == SaveResult::Status::ChangedOnDisk;
        QCOMPARE(int(file.Save(list, replace).status), int(SaveResult::Status::Saved));
        QCOMPARE(ReadAll(in + "/verses.niv"), kNew);
    }
}

QTEST_GUILESS_MAIN(TestVerseFile)
#include "tst_verse_file.moc"
