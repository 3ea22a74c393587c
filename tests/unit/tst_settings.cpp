#include "RecordingReporter.h"
#include "data/ErrorMessages.h"
#include "data/LeadingInt.h"
#include "data/Settings.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

class TestSettings : public QObject
{
    Q_OBJECT

private slots:
    void parse_data();
    void parse();
    void parse_defaultsInOrder();
    void loadMissingFile_reportsAndKeepsDefaults_data();
    void loadMissingFile_reportsAndKeepsDefaults();
    void loadFile_readsValues();
    void verseFilePath_decodesByEncoding();
    void leadingInt_data();
    void leadingInt();
};

void TestSettings::parse_data()
{
    QTest::addColumn<QByteArray>("ini");
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QByteArray>("font1");

    QTest::newRow("empty file") << QByteArray() << QByteArray("Lumera.niv") << QByteArray("Times");
    QTest::newRow("header alone sets FILE to the whole line")
        << QByteArray("[FILES]\r\n") << QByteArray("[FILES]") << QByteArray("Times");
    QTest::newRow("header then FILE line")
        << QByteArray("[FILES]\r\nFILE=Psalms.niv\r\n") << QByteArray("Psalms.niv") << QByteArray("Times");
    QTest::newRow("spaces around = are kept")
        << QByteArray("FILE = Psalms.niv \r\n") << QByteArray(" Psalms.niv ") << QByteArray("Times");
    QTest::newRow("one line sets two keys")
        << QByteArray("FILE=FONT1.niv\n") << QByteArray("FONT1.niv") << QByteArray("FONT1.niv");
    QTest::newRow("lower-case key sets nothing")
        << QByteArray("file=Psalms.niv\nfont1=Arial\n") << QByteArray("Lumera.niv") << QByteArray("Times");
    QTest::newRow("only the first = splits")
        << QByteArray("FONT1=a=b\n") << QByteArray("Lumera.niv") << QByteArray("a=b");
    QTest::newRow("later lines override")
        << QByteArray("FILE=a.niv\nFILE=b.niv\n") << QByteArray("b.niv") << QByteArray("Times");
    QTest::newRow("key anywhere in the line")
        << QByteArray("; the FONT1 face=Courier\n") << QByteArray("Lumera.niv") << QByteArray("Courier");
    QTest::newRow("last line without line end")
        << QByteArray("FILE=x.niv") << QByteArray("x.niv") << QByteArray("Times");
    QTest::newRow("lone CR stays in the value")
        << QByteArray("FILE=x.niv\r\rFONT1=y\r\n") << QByteArray("x.niv\r\rFONT1=y") << QByteArray("x.niv\r\rFONT1=y");
    QTest::newRow("empty value")
        << QByteArray("FILE=\n") << QByteArray("") << QByteArray("Times");
}

void TestSettings::parse()
{
    QFETCH(QByteArray, ini);
    QFETCH(QByteArray, file);
    QFETCH(QByteArray, font1);
    const Settings settings = Settings::Parse(ini);
    QCOMPARE(settings.m_strFile, file);
    QCOMPARE(settings.m_strFont1, font1);
}

void TestSettings::parse_defaultsInOrder()
{
    const Settings settings = Settings::Parse("SIZE2=-12\nFACE2=BOLD\nFONT2=Courier New\n");
    QCOMPARE(settings.m_strFace1, QByteArray("ITALIC_BOLD"));
    QCOMPARE(settings.m_strSize1, QByteArray("16"));
    QCOMPARE(settings.m_strFont2, QByteArray("Courier New"));
    QCOMPARE(settings.m_strFace2, QByteArray("BOLD"));
    QCOMPARE(settings.m_strSize2, QByteArray("-12"));
}

void TestSettings::loadMissingFile_reportsAndKeepsDefaults_data()
{
    QTest::addColumn<bool>("czech");
    QTest::addColumn<QString>("message");
    QTest::newRow("English") << false
        << QStringLiteral("Error: Can't open file Lumera.ini\n\nThe file doesn't exist in the current directory.");
    QTest::newRow("Czech") << true
        << QStringLiteral("Chyba: Nemůžu otevřít soubor Lumera.ini\n\nSoubor zřejmě v aktuálním adresáři neexistuje.");
}

void TestSettings::loadMissingFile_reportsAndKeepsDefaults()
{
    QFETCH(bool, czech);
    QFETCH(QString, message);
    QTemporaryDir dir;
    RecordingReporter reporter;
    Settings settings;
    settings.m_strFile = "changed.niv";
    QVERIFY(!settings.Load(dir.filePath("Lumera.ini"), czech, reporter));
    QCOMPARE(reporter.messages, QStringList{message});
    QCOMPARE(settings, Settings());
    QCOMPARE(settings.VerseFilePath(), QStringLiteral("Lumera.niv"));
}


void TestSettings::loadFile_readsValues()
{
    QTemporaryDir dir;
    QFile ini(dir.filePath("Lumera.ini"));
    QVERIFY(ini.open(QIODevice::WriteOnly));
    ini.write("[FILES]\r\nFILE=Psalms.niv\r\nSIZE1=22\r\n");
    ini.close();
    RecordingReporter reporter;
    Settings settings;
    QVERIFY(settings.Load(ini.fileName(), false, reporter));
    QVERIFY(reporter.messages.isEmpty());
    QCOMPARE(settings.m_strFile, QByteArray("Psalms.niv"));
    QCOMPARE(settings.m_strSize1, QByteArray("22"));
}

void TestSettings::verseFilePath_decodesByEncoding()
{
    Settings settings;
    settings.m_strFile = "\x8E" "almy.niv"; // Windows-1250 "Žalmy.niv"
    QCOMPARE(settings.VerseFilePath(), QStringLiteral("Žalmy.niv"));
    settings.m_strFile = QStringLiteral("Žalmy.niv").toUtf8();
    QCOMPARE(settings.VerseFilePath(), QStringLiteral("Žalmy.niv"));
}

void TestSettings::leadingInt_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<int>("value");
    QTest::newRow("plain") << QByteArray("16") << 16;
    QTest::newRow("negative") << QByteArray("-12") << -12;
    QTest::newRow("plus sign") << QByteArray("+7") << 7;
    QTest::newRow("leading white space") << QByteArray(" \t\n18pt") << 18;
    QTest::newRow("no number") << QByteArray("abc") << 0;
    QTest::newRow("empty") << QByteArray() << 0;
    QTest::newRow("sign alone") << QByteArray("-") << 0;
    QTest::newRow("space after sign") << QByteArray("- 5") << 0;
    QTest::newRow("int max") << QByteArray("2147483647") << 2147483647;
    QTest::newRow("int min") << QByteArray("-2147483648") << int(-2147483647 - 1);
    QTest::newRow("huge saturates") << QByteArray("99999999999") << 2147483647;
    QTest::newRow("huge negative saturates") << QByteArray("-99999999999") << int(-2147483647 - 1);
    QTest::newRow("very long digits") << QByteArray(500, '9') << 2147483647;
}

void TestSettings::leadingInt()
{
    QFETCH(QByteArray, text);
    QFETCH(int, value);
    QCOMPARE(ParseLeadingInt(text), value);
}

QTEST_GUILESS_MAIN(TestSettings)
#include "tst_settings.moc"
