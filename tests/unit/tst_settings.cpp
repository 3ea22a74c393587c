#include "RecordingReporter.h"
#include "data/LeadingInt.h"
#include "data/Settings.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

class TestSettings : public QObject
{
    Q_OBJECT

private slots:
    void parse_data();
    void parse();
    void parse_eachKeyItsOwnValue();
    void load_data();
    void load();
    void verseFilePath_decodesByEncoding();
    void leadingInt_data();
    void leadingInt();
};

namespace {

QString UserName(uid_t uid)
{
    const passwd *entry = ::getpwuid(uid);
    return entry ? QString::fromLocal8Bit(entry->pw_name) : QString::number(uid);
}

} // namespace

void TestSettings::parse_data()
{
    QTest::addColumn<QByteArray>("ini");
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QByteArray>("font1");

    QTest::newRow("header alone sets FILE to the whole line")
        << QByteArray("[FILES]\r\n") << QByteArray("[FILES]") << QByteArray("Times");
    QTest::newRow("spaces around = are kept")
        << QByteArray("FILE = Psalms.niv \r\n") << QByteArray(" Psalms.niv ") << QByteArray("Times");
    QTest::newRow("one line sets two keys")
        << QByteArray("FILE=FONT1.niv\n") << QByteArray("FONT1.niv") << QByteArray("FONT1.niv");
    QTest::newRow("lower-case key sets nothing")
        << QByteArray("file=Psalms.niv\nfont1=Arial\n") << QByteArray("Lumera.niv") << QByteArray("Times");
    QTest::newRow("only the first = splits")
        << QByteArray("FONT1=a=b\n") << QByteArray("Lumera.niv") << QByteArray("a=b");
    QTest::newRow("later lines override, the last without a line end")
        << QByteArray("FILE=a.niv\nFILE=b.niv") << QByteArray("b.niv") << QByteArray("Times");
    QTest::newRow("key anywhere in the line")
        << QByteArray("; the FONT1 face=Courier\n") << QByteArray("Lumera.niv") << QByteArray("Courier");
    QTest::newRow("lone CR stays in the value")
        << QByteArray("FILE=x.niv\r\rFONT1=y\r\n") << QByteArray("x.niv\r\rFONT1=y") << QByteArray("x.niv\r\rFONT1=y");
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

// Each key sets its own value; the other six keep their defaults.
void TestSettings::parse_eachKeyItsOwnValue()
{
    const char *const keys[] = {"FILE", "FONT1", "FACE1", "SIZE1", "FONT2", "FACE2", "SIZE2"};
    const QByteArrayList defaults{"Lumera.niv", "Times", "ITALIC_BOLD", "16", "Helvetica", "ITALIC", "18"};
    for (int k = 0; k < 7; ++k) {
        const Settings s = Settings::Parse(QByteArray(keys[k]) + "=x\n");
        QByteArrayList expected = defaults;
        expected[k] = "x";
        QCOMPARE((QByteArrayList{s.m_strFile, s.m_strFont1, s.m_strFace1, s.m_strSize1, s.m_strFont2, s.m_strFace2,
                                 s.m_strSize2}),
                 expected);
    }
}

void TestSettings::load_data()
{
    QTest::addColumn<QString>("path"); // empty: Lumera.ini in an empty folder
    QTest::addColumn<QByteArray>("ini"); // written there, unless null
    QTest::addColumn<bool>("czech");
    QTest::addColumn<QString>("message"); // empty: the file was read
    QTest::addColumn<int>("mode"); // given to the file unless 0
    QTest::addColumn<int>("owner"); // given to the file unless -1
    const QString english =
        QStringLiteral("Error: Can't open file Lumera.ini\n\nThe file doesn't exist in the current directory.");
    const QByteArray ini = "[FILES]\r\nFILE=/home/someone/.profile\r\n";
    const QString me = UserName(::geteuid());
    const QString refused = "Error: Can't open file Lumera.ini\n\n";
    const QString ownOnly = " Lumera only reads a settings file of your own that no one else may change.";
    QTest::newRow("file read") << QString() << ini << false << QString() << 0 << -1;
    QTest::newRow("group may write, the user's own group: read")
        << QString() << ini << false << QString() << 0664 << -1;
    QTest::newRow("others may write: refused, the owner named")
        << QString() << ini << false << refused + "Other users may change the file (owner: " + me + ")." + ownOnly
        << 0666 << -1;
    QTest::newRow("another user's file: refused, in Czech")
        << QString() << ini << true
        << QStringLiteral("Chyba: Nemůžu otevřít soubor Lumera.ini\n\nSoubor patří jinému uživateli (nobody). Lumera "
                          "čte jen vlastní soubor nastavení, který nikdo jiný nemůže měnit.")
        << 0644 << 65534;
    QTest::newRow("missing, English") << QString() << QByteArray() << false << english << 0 << -1;
    QTest::newRow("missing, Czech")
        << QString() << QByteArray() << true
        << QStringLiteral("Chyba: Nemůžu otevřít soubor Lumera.ini\n\nSoubor zřejmě v aktuálním adresáři neexistuje.")
        << 0 << -1;
    QTest::newRow("read error after the open")
        << QStringLiteral("/proc/self/mem") << QByteArray() << false << english << 0 << -1;
}

// A file that cannot be read leaves the defaults, whatever was set before.
void TestSettings::load()
{
    QFETCH(QString, path);
    QFETCH(QByteArray, ini);
    QFETCH(bool, czech);
    QFETCH(QString, message);
    QFETCH(int, mode);
    QFETCH(int, owner);
    if (owner >= 0 && ::geteuid() != 0)
        QSKIP("needs the superuser to hand a file to another user");
    QTemporaryDir dir;
    if (path.isEmpty())
        path = dir.filePath("Lumera.ini");
    QFile file(path);
    if (!ini.isNull())
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write(ini) == ini.size());
    file.close();
    const QByteArray name = QFile::encodeName(path);
    QVERIFY(mode == 0 || ::chmod(name.constData(), mode_t(mode)) == 0);
    QVERIFY(owner < 0 || ::chown(name.constData(), uid_t(owner), gid_t(-1)) == 0);
    RecordingReporter reporter;
    Settings settings;
    settings.m_strFile = "changed.niv";
    QCOMPARE(settings.Load(path, czech, reporter), message.isEmpty());
    QCOMPARE(reporter.messages, message.isEmpty() ? QStringList() : QStringList{message});
    QCOMPARE(settings, message.isEmpty() ? Settings::Parse(ini) : Settings());
}

void TestSettings::verseFilePath_decodesByEncoding()
{
    Settings settings;
    settings.m_strFile = "\x8E"
                         "almy.niv"; // Windows-1250 "Žalmy.niv"
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
    QTest::newRow("space after sign") << QByteArray("- 5") << 0;
    QTest::newRow("int min") << QByteArray("-2147483648") << int(-2147483647 - 1);
    QTest::newRow("huge saturates") << QByteArray("99999999999") << 2147483647;
    QTest::newRow("huge negative saturates") << QByteArray("-99999999999") << int(-2147483647 - 1);
}

void TestSettings::leadingInt()
{
    QFETCH(QByteArray, text);
    QFETCH(int, value);
    QCOMPARE(ParseLeadingInt(text), value);
}

QTEST_GUILESS_MAIN(TestSettings)
#include "tst_settings.moc"
