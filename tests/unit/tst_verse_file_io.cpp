#include "RecordingReporter.h"
#include "data/ErrorMessages.h"
#include "data/VerseFile.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>


// Verse files on disk: loading, atomic saving, and failures.
class TestVerseFileIo : public QObject
{
    Q_OBJECT

private slots:
    void loadMissingFile_reportsWithName_data();
    void loadMissingFile_reportsWithName();
    void saveThenLoad_roundTrip();
    void sharedFiles_roundTripByteIdentical_data();
    void sharedFiles_roundTripByteIdentical();
    void malformedFiles_loadAndRoundTrip_data();
    void malformedFiles_loadAndRoundTrip();
    void save_keepsPermissions();
    void save_intoMissingFolder_reportsAndCreatesNothing();
    void saveThroughSymlink_keepsLinkAndReplacesTarget();
    void save_replacesTemporaryLeftByEarlierSave();
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


void TestVerseFileIo::saveThenLoad_roundTrip()
{
    QTemporaryDir dir;
    const QString path = dir.filePath("verses.niv");
    VerseList list;
    list.Append("Love", "1 John 4:8", "He who doesn't love doesn't know God, for God is love. Beloved, let us love one another. ");
    list.Append("", "", "");
    RecordingReporter reporter;
    QVERIFY(VerseFile(path).Save(list, false, reporter));
    VerseList loaded;
    VerseFile file(path);
    QVERIFY(file.Load(loaded, false, reporter));
    list.m_nCurrent = 0;
    QCOMPARE(loaded, list);
    QVERIFY(reporter.messages.isEmpty());
    QCOMPARE(file.encoding().kind(), TextEncoding::Kind::Utf8);
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"verses.niv"});
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
    QVERIFY(file.Save(list, false, reporter));
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
    QVERIFY(file.Save(list, false, reporter));
    const QByteArray saved = ReadAll(path);
    VerseList again;
    QVERIFY(file.Load(again, false, reporter));
    QCOMPARE(again, list);
    QVERIFY(file.Save(again, false, reporter));
    QCOMPARE(ReadAll(path), saved);
}

void TestVerseFileIo::save_keepsPermissions()
{
    QTemporaryDir dir;
    const QString path = dir.filePath("verses.niv");
    WriteAll(path, "$$$\r\n");
    const auto perms = QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadGroup;
    QVERIFY(QFile::setPermissions(path, perms));
    RecordingReporter reporter;
    VerseList list;
    list.Append("T", "N", "A ");
    QVERIFY(VerseFile(path).Save(list, false, reporter));
    QCOMPARE(QFile::permissions(path) & 0xF0FF, perms);
}

void TestVerseFileIo::save_intoMissingFolder_reportsAndCreatesNothing()
{
    QTemporaryDir dir;
    const QString path = dir.filePath("missing/verses.niv");
    RecordingReporter reporter;
    QVERIFY(!VerseFile(path).Save(VerseList(), true, reporter));
    QCOMPARE(reporter.messages, QStringList{ErrorMessages::CantOpenVerseFile(true, path)});
    QVERIFY(!QFile::exists(path));
}


void TestVerseFileIo::saveThroughSymlink_keepsLinkAndReplacesTarget()
{
    QTemporaryDir dir;
    const QString target = dir.filePath("real.niv");
    const QString link = dir.filePath("verses.niv");
    WriteAll(target, "$$$\r\n");
    QVERIFY(QFile::link(target, link));
    VerseList list;
    list.Append("T", "N", "A ");
    RecordingReporter reporter;
    QVERIFY(VerseFile(link).Save(list, false, reporter));
    QVERIFY(QFileInfo(link).isSymLink());
    QCOMPARE(ReadAll(target), QByteArray("T\r\nN\r\nA\r\n#\r\n$$$\r\n"));
}

void TestVerseFileIo::save_replacesTemporaryLeftByEarlierSave()
{
    QTemporaryDir dir;
    const QString path = dir.filePath("verses.niv");
    WriteAll(dir.filePath(".verses.niv.saving"), "half a save");
    RecordingReporter reporter;
    QVERIFY(VerseFile(path).Save(VerseList(), false, reporter));
    QCOMPARE(ReadAll(path), QByteArray("$$$\r\n"));
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"verses.niv"});
}

QTEST_GUILESS_MAIN(TestVerseFileIo)
#include "tst_verse_file_io.moc"
