#include "DialogTestSupport.h"
#include "app/CLumeraApp.h"
#include "res/Resource.h"
#include "ui/main/CLumeraDlg.h"
#include "ui/main/DisplayText.h"

#include <QRandomGenerator>
#include <QTimer>

#include <sys/stat.h>

// Hostile and broken input at start-up: each gets its message or a sane
// display, never a crash or a hang, and no file is changed. Some rows post
// the quit request, so this runs apart from the other dialog tests.
class TestBadInput : public QObject
{
    Q_OBJECT

private slots:
    void startUp_data();
    void startUp();
};

namespace {

// What stands at a file's name when it is not a plain file.
enum NotAFile { Directory, Fifo, LinkToDevZero };
enum VerseSetup { WriteVerses, NoVerses, VerseDirectory, VerseFifo, VerseLinkToDevZero };
const QByteArray kIniIs[] = {"<directory>", "<fifo>", "<link to /dev/zero>"};

bool MakeNotAFile(const QString &path, int kind)
{
    if (kind == Directory)
        return QDir().mkdir(path);
    if (kind == Fifo)
        return ::mkfifo(QFile::encodeName(path).constData(), 0600) == 0;
    return QFile::link("/dev/zero", path);
}

QByteArray RandomBytes(int size)
{
    QByteArray bytes(size, Qt::Uninitialized);
    QRandomGenerator random(20261206);
    for (char &c : bytes)
        c = char(random.bounded(256));
    return bytes;
}

QByteArray EmptyRecords(int count)
{
    QByteArray bytes;
    for (int i = 0; i < count; ++i)
        bytes += "\r\n\r\n#\r\n";
    return bytes + "$$$\r\n";
}

} // namespace

void TestBadInput::startUp_data()
{
    QTest::addColumn<QByteArray>("ini");
    QTest::addColumn<int>("verseSetup");
    QTest::addColumn<QByteArray>("verses");
    QTest::addColumn<QString>("message"); // the start of the first message expected, or empty
    QTest::addColumn<int>("count");       // verses loaded; -1 for any

    const QByteArray ini = "FILE=v.niv\r\n";
    QTest::newRow("NUL bytes inside lines") << ini << int(WriteVerses)
        << QByteArrayLiteral("T\0i\r\nR\0f\r\nA\0B\r\n#\r\n$$$\r\n") << QString() << 1;
    QTest::newRow("10 MB line") << ini << int(WriteVerses)
        << "T\r\nR\r\n" + QByteArray(10 << 20, 'w') + "\r\n#\r\n$$$\r\n" << QString() << 1;
    QTest::newRow("random bytes") << ini << int(WriteVerses) << RandomBytes(100000) << QString() << -1;
    // CR alone ends no line: the whole file is one title line, here one that
    // holds the end marker.
    QTest::newRow("CR-only line ends") << ini << int(WriteVerses)
        << QByteArray("T\rR\rA\r#\r$$$\r") << QString() << 0;
    QTest::newRow("CR-only line ends, no end marker") << ini << int(WriteVerses)
        << QByteArray("T\rR\rA\r#\r") << QString() << 1;
    QTest::newRow("100,000 empty records") << ini << int(WriteVerses) << EmptyRecords(100000) << QString() << 100000;
    for (int kind : {Directory, Fifo, LinkToDevZero}) {
        QTest::addRow("settings file is a %s", kIniIs[kind].constData()) << kIniIs[kind] << int(NoVerses)
            << QByteArray() << QStringLiteral("Error: Can't open file Lumera.ini\n") << 0;
        QTest::addRow("FILE names a %s", kIniIs[kind].constData()) << ini << int(VerseDirectory + kind)
            << QByteArray() << QStringLiteral("Error: Can't open file v.niv\n") << 0;
    }
    QTest::newRow("FILE in a missing folder") << QByteArray("FILE=nowhere/v.niv\r\n") << int(NoVerses) << QByteArray()
        << QStringLiteral("Error: Can't open file nowhere/v.niv\n") << 0;
    QTest::newRow("format codes in FILE") << QByteArray("FILE=%s%n%x.niv\r\n") << int(NoVerses) << QByteArray()
        << QStringLiteral("Error: Can't open file %s%n%x.niv\n") << 0;
    QTest::newRow("format codes in font names") << ini + "FONT1=%s%n\r\nFONT2=%n%s%d\r\n" << int(WriteVerses)
        << QByteArray("T\r\nR\r\nA\r\n#\r\n$$$\r\n") << QString() << 1;
    QTest::newRow("huge sizes") << ini + "SIZE1=99999999999\r\nSIZE2=-99999999999\r\n" << int(WriteVerses)
        << QByteArray("T\r\nR\r\nA\r\n#\r\n$$$\r\n") << QString() << 1;
    QTest::newRow("200-character font name") << ini + "FONT1=" + QByteArray(200, 'Q') + "\r\n" << int(WriteVerses)
        << QByteArray("T\r\nR\r\nA\r\n#\r\n$$$\r\n") << QString() << 1;
}

void TestBadInput::startUp()
{
    QFETCH(QByteArray, ini);
    QFETCH(int, verseSetup);
    QFETCH(QByteArray, verses);
    QFETCH(QString, message);
    QFETCH(int, count);

    WorkFolder folder;
    const int iniKind = int(std::find(std::begin(kIniIs), std::end(kIniIs), ini) - std::begin(kIniIs));
    const bool iniIsFile = iniKind == int(std::size(kIniIs));
    if (iniIsFile)
        folder.Write("Lumera.ini", ini);
    else
        QVERIFY(MakeNotAFile(folder.Path("Lumera.ini"), iniKind));
    if (verseSetup == WriteVerses)
        folder.Write("v.niv", verses);
    if (verseSetup >= VerseDirectory)
        QVERIFY(MakeNotAFile(folder.Path("v.niv"), verseSetup - VerseDirectory));
    MessageBoxScript boxes;
    {
        CLumeraDlg dlg;
        QTimer::singleShot(0, &dlg, [&] { dlg.EndDialog(IDOK); });
        dlg.DoModal();
        if (count >= 0)
            QCOMPARE(dlg.m_verses.m_nVerseCount, count);
        const int current = dlg.m_verses.m_nCurrent;
        QVERIFY(current >= -1 && current < dlg.m_verses.m_nVerseCount);
        QCOMPARE(current == -1, dlg.m_verses.m_nVerseCount == 0);
        QVERIFY(dlg.GetDlgItem(IDC_TITLE)->font().pixelSize() <= 200);
        QVERIFY(dlg.GetDlgItemText(IDC_CONTENTS).size() <= kMaxShownChars + 1);
    }
    QCOMPARE(boxes.shown.isEmpty(), message.isEmpty());
    if (!message.isEmpty())
        QVERIFY2(boxes.shown[0].text.startsWith(message), qPrintable(boxes.shown[0].text));
    if (iniIsFile)
        QCOMPARE(folder.Read("Lumera.ini"), ini);
    if (verseSetup == WriteVerses)
        QCOMPARE(folder.Read("v.niv"), verses);
}

QTEST_MAIN(TestBadInput)
#include "tst_bad_input.moc"
