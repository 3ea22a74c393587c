#include "RecordingReporter.h"
#include "data/AtomicWrite.h"
#include "data/ErrorMessages.h"
#include "data/VerseFile.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>
#include <sys/sysmacros.h>

// Verse files on disk: loading, atomic saving, and failures.
class TestVerseFileIo : public QObject
{
    Q_OBJECT

private slots:
    void loadMissingFile_reportsWithName_data();
    void loadMissingFile_reportsWithName();
    void sharedFiles_roundTripByteIdentical_data();
    void sharedFiles_roundTripByteIdentical();
    void malformedFiles_loadAndRoundTrip_data();
    void malformedFiles_loadAndRoundTrip();
    void save_targets_data();
    void save_targets();
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
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(bytes), bytes.size());
}

const QByteArray kOldBytes = "Old\r\nOld 1:1\r\nThe old list.\r\n#\r\n$$$\r\n";
const QByteArray kNewBytes = "T\r\nN\r\nA\r\n#\r\n$$$\r\n";

bool Saved(const SaveResult &result)
{
    return result.status == SaveResult::Status::Saved;
}

VerseList NewList()
{
    VerseList list;
    list.Append("T", "N", "A ");
    return list;
}

} // namespace

void TestVerseFileIo::loadMissingFile_reportsWithName_data()
{
    QTest::addColumn<bool>("czech");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("message");
    QTest::newRow("English") << false << "Psalms.niv"
        << "Error: Can't open file Psalms.niv\n\nThe file specified in LUMERA.INI in FILES section "
           "doesn't exist in the current directory.";
    QTest::newRow("Czech") << true << "Psalms.niv"
        << QStringLiteral("Chyba: Nemůžu otevřít soubor Psalms.niv\n\nSoubor uvedený v LUMERA.INI v položce "
                          "FILE zřejmě v aktuálním adresáři neexistuje.");
    QTest::newRow("format codes in the name are plain text") << false << "%s%n%1.niv"
        << "Error: Can't open file %s%n%1.niv\n\nThe file specified in LUMERA.INI in FILES section "
           "doesn't exist in the current directory.";
    const QString tail = "\n\nThe file specified in LUMERA.INI in FILES section doesn't exist in the current "
                         "directory.";
    QTest::newRow("a 100 KB name shows its start and end") << false << QString(100000, 'x') + ".niv"
        << "Error: Can't open file " + QString(39, 'x') + QChar(0x2026) + QString(36, 'x') + ".niv" + tail;
    const QString face = QStringLiteral("\U0001F600");
    QTest::newRow("a long name is not cut inside a character") << false
        << QString(38, 'x') + face + QString(100, 'y') + face + QString(39, 'z')
        << "Error: Can't open file " + QString(38, 'x') + QChar(0x2026) + QString(39, 'z') + tail;
}

void TestVerseFileIo::loadMissingFile_reportsWithName()
{
    QFETCH(bool, czech);
    QFETCH(QString, name);
    QFETCH(QString, message);
    QTemporaryDir dir;
    QVERIFY(QDir::setCurrent(dir.path()));
    VerseList list;
    list.Append("old", "old", "old");
    RecordingReporter reporter;
    VerseFile file(name);
    QVERIFY(!file.Load(list, czech, reporter));
    QCOMPARE(reporter.messages, QStringList{message});
    QCOMPARE(list.m_nVerseCount, 0);
    QCOMPARE(list.m_nCurrent, 0);
    QVERIFY(list.m_arrTitles.isEmpty());
}


void TestVerseFileIo::sharedFiles_roundTripByteIdentical_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("count");
    QTest::newRow("whole Bible") << "bible-full.niv" << 31095;
    QTest::newRow("favourites") << "favourites.niv" << 150;
    QTest::newRow("Czech") << "cz-cp1250.niv" << 10;
}

void TestVerseFileIo::sharedFiles_roundTripByteIdentical()
{
    QFETCH(QString, name);
    QFETCH(int, count);
    const QString source = QStringLiteral(LUMERA_SHARED_DATA "/") + name;
    if (!QFile::exists(source))
        QSKIP("shared verse files are not beside the project");
    QTemporaryDir dir;
    const QString path = dir.filePath(name);
    QVERIFY(QFile::copy(source, path));
    RecordingReporter reporter;
    VerseList list;
    VerseFile file(path);
    QVERIFY(file.Load(list, false, reporter));
    QCOMPARE(list.m_nVerseCount, count);
    QVERIFY(Saved(file.Save(list)));
    // These files were written by the same wrap, so the bytes come back unchanged.
    QCOMPARE(QCryptographicHash::hash(ReadAll(path), QCryptographicHash::Sha256),
             QCryptographicHash::hash(ReadAll(source), QCryptographicHash::Sha256));
    VerseList again;
    QVERIFY(file.Load(again, false, reporter));
    QCOMPARE(again, list);
}

// One small file per malformed case, read from disk as the program reads it;
// whatever it loads must survive a save and a second load unchanged.
void TestVerseFileIo::malformedFiles_loadAndRoundTrip_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("count");
    QTest::addColumn<QByteArray>("lastContents");
    QTest::newRow("empty") << "empty.niv" << 0 << QByteArray();
    QTest::newRow("cut after the title") << "cut-after-title.niv" << 1 << QByteArray();
    QTest::newRow("no end marker") << "no-end-marker.niv" << 2 << QByteArray("B ");
    QTest::newRow("lone CR") << "lone-cr.niv" << 1 << QByteArray("A\r ");
    QTest::newRow("# with words") << "hash-with-words.niv" << 2 << QByteArray();
    QTest::newRow("$$$ in a title") << "end-marker-in-title.niv" << 1 << QByteArray("A ");
    QTest::newRow("NUL bytes") << "nul-bytes.niv" << 1 << QByteArray("A\0B ", 4);
    QTest::newRow("blank line between") << "blank-line-between.niv" << 2 << QByteArray("N2 B ");
}

void TestVerseFileIo::malformedFiles_loadAndRoundTrip()
{
    QFETCH(QString, name);
    QFETCH(int, count);
    QFETCH(QByteArray, lastContents);
    QTemporaryDir dir;
    const QString path = dir.filePath(name);
    QVERIFY(QFile::copy(QStringLiteral(LUMERA_TEST_DATA "/verses/") + name, path));
    RecordingReporter reporter;
    VerseFile file(path);
    VerseList list;
    QVERIFY(file.Load(list, false, reporter));
    QCOMPARE(list.m_nVerseCount, count);
    QCOMPARE(list.m_arrContents.value(count - 1), lastContents);
    QVERIFY(Saved(file.Save(list)));
    const QByteArray saved = ReadAll(path);
    VerseList again;
    QVERIFY(file.Load(again, false, reporter));
    QCOMPARE(again, list);
    QVERIFY(Saved(file.Save(again)));
    QCOMPARE(ReadAll(path), saved);
}

// What each kind of target gets from a save of m_newList: the result, and the
// folder afterwards, byte for byte.
void TestVerseFileIo::save_targets_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<int>("status");
    QTest::addColumn<int>("error");
    QTest::addColumn<QByteArray>("after");
    QTest::addColumn<QStringList>("entries");
    const int saved = int(SaveResult::Status::Saved);
    const int failed = int(SaveResult::Status::Failed);
    const QByteArray neu = kNewBytes;
    const QStringList one{"verses.niv"};
    QTest::newRow("new file") << "new" << saved << 0 << neu << one;
    QTest::newRow("mode 0640 kept") << "0640" << saved << 0 << neu << one;
    QTest::newRow("through a link: link kept, target replaced")
        << "link" << saved << 0 << neu << QStringList{"real.niv", "verses.niv"};
    QTest::newRow("hard link: both names get the new list")
        << "hardlink" << saved << 0 << neu << QStringList{"other.niv", "verses.niv"};
    QTest::newRow("planted temporaries never block")
        << "planted" << saved << 0 << neu << QStringList{".verses.niv.saving", "verses.niv"};
    QTest::newRow("changed on disk since read: left alone")
        << "changed" << int(SaveResult::Status::ChangedOnDisk) << 0 << QByteArray("changed") << one;
    QTest::newRow("write-protected 0444") << "0444" << failed << EACCES << kOldBytes << one;
    QTest::newRow("missing folder") << "missing" << failed << ENOENT << QByteArray() << QStringList{};
    QTest::newRow("a folder of that name") << "folder" << failed << EISDIR << QByteArray() << one;
    QTest::newRow("a FIFO, never opened") << "fifo" << failed << kNotRegularFile << QByteArray() << one;
    QTest::newRow("a link to a FIFO")
        << "fifolink" << failed << kNotRegularFile << QByteArray() << QStringList{"pipe", "verses.niv"};
    QTest::newRow("a device node") << "device" << failed << kNotRegularFile << QByteArray() << one;
}

void TestVerseFileIo::save_targets()
{
    QFETCH(QString, kind);
    QFETCH(int, status);
    QFETCH(int, error);
    QFETCH(QByteArray, after);
    QFETCH(QStringList, entries);
    QTemporaryDir dir;
    const QString path = dir.filePath(kind == "missing" ? "missing/verses.niv" : "verses.niv");
    const QByteArray name = QFile::encodeName(path);
    if (kind != "new" && kind != "missing" && kind != "folder" && !kind.startsWith("fifo") && kind != "device")
        WriteAll(kind == "link" ? dir.filePath("real.niv") : path, kOldBytes);
    if (kind == "0640" || kind == "0444")
        QVERIFY(::chmod(name.constData(), kind.toUInt(nullptr, 8)) == 0);
    if (kind == "link")
        QVERIFY(QFile::link("real.niv", path));
    if (kind == "hardlink")
        QVERIFY(::link(name.constData(), QFile::encodeName(dir.filePath("other.niv")).constData()) == 0);
    if (kind == "planted")
        WriteAll(dir.filePath(".verses.niv.saving"), "planted");
    if (kind == "folder")
        QVERIFY(QDir(dir.path()).mkdir("verses.niv"));
    if (kind == "fifo" || kind == "fifolink")
        QVERIFY(::mkfifo(QFile::encodeName(dir.filePath(kind == "fifo" ? "verses.niv" : "pipe")).constData(), 0644)
                == 0);
    if (kind == "fifolink")
        QVERIFY(QFile::link("pipe", path));
    if (kind == "device" && ::mknod(name.constData(), S_IFCHR | 0666, makedev(1, 3)) != 0)
        QSKIP("no device nodes may be made here");
    struct stat before = {};
    ::stat(name.constData(), &before);

    VerseFile file(path);
    RecordingReporter reporter;
    VerseList loaded;
    if (kind == "changed") {
        QVERIFY(file.Load(loaded, false, reporter));
        WriteAll(path, "changed");
    }
    const SaveResult result = file.Save(NewList());
    QCOMPARE(int(result.status), status);
    QCOMPARE(result.error, error);
    struct stat now = {};
    QCOMPARE(::stat(name.constData(), &now) == 0, kind != "missing");
    if (after.isNull()) {
        QCOMPARE(now.st_mode, before.st_mode);
        QCOMPARE(now.st_ino, before.st_ino);
    } else {
        QCOMPARE(ReadAll(path), after);
    }
    const mode_t mask = ::umask(0);
    ::umask(mask);
    if (kind == "new" || kind == "0640" || kind == "0444")
        QCOMPARE(now.st_mode & 07777, kind == "new" ? 0666 & ~mask : kind.toUInt(nullptr, 8));
    if (kind == "hardlink")
        QCOMPARE(ReadAll(dir.filePath("other.niv")), kNewBytes);
    if (kind == "link")
        QVERIFY(QFileInfo(path).isSymLink());
    if (kind == "planted")
        QCOMPARE(ReadAll(dir.filePath(".verses.niv.saving")), QByteArray("planted"));
    QCOMPARE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot),
             entries);
    // Not replaced: the next save asks again. Saved: the file is remembered
    // as written, so saving again asks nothing.
    if (kind == "changed")
        QCOMPARE(int(file.Save(NewList()).status), status);
    if (result.status != SaveResult::Status::Failed) {
        QCOMPARE(int(file.Save(NewList(), kind == "changed").status), int(SaveResult::Status::Saved));
        QCOMPARE(ReadAll(path), kNewBytes);
    }
}

QTEST_GUILESS_MAIN(TestVerseFileIo)
#include "tst_verse_file_io.moc"
