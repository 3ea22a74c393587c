#include "DialogTestSupport.h"
#include "app/CLumeraApp.h"
#include "platform/QuitRequest.h"
#include "res/Resource.h"
#include "ui/main/CLumeraDlg.h"
#include "ui/main/DisplayText.h"

#include <sys/stat.h>

// Start-up with missing, hostile and broken input: each error is shown, in
// order, or the verses are shown sanely; never a crash or a hang, and no file
// is changed. An error posts the quit request, which ends every later modal
// loop of the process, so this runs apart from the other dialog tests.
class TestBadInput : public QObject
{
    Q_OBJECT

private slots:
    void cleanup() { VerifyNoWindowLeftOpen(); }
    void application_runsMainDialogThenEnds();
    void startUp_data();
    void startUp();
};

namespace {

// What may stand at a file's name instead of a plain file.
const QByteArrayList kNotAFile{"<none>", "<directory>", "<fifo>", "<link to /dev/zero>", "<link to /proc/self/mem>"};

void Make(const WorkFolder &folder, const QString &name, const QByteArray &what)
{
    const QString path = folder.Path(name);
    if (what == "<directory>")
        QVERIFY(QDir().mkdir(path));
    else if (what == "<fifo>")
        QVERIFY(::mkfifo(QFile::encodeName(path).constData(), 0600) == 0);
    else if (what.startsWith("<link to "))
        QVERIFY(QFile::link(QString::fromLatin1(what.sliced(9).chopped(1)), path));
    else if (what != "<none>")
        folder.Write(name, what);
}

const QString kNoIni = "Error: Can't open file Lumera.ini\n\nThe file doesn't exist in the current directory.";
const QString kNoVerses = "\n\nThe file specified in LUMERA.INI in FILES section doesn't exist in the current "
                          "directory.";

} // namespace

void TestBadInput::application_runsMainDialogThenEnds()
{
    WorkFolder folder;
    MessageBoxScript boxes;
    QObject guard; // ends the main dialog should the errors not end the program
    QTimer::singleShot(0, &guard, [] {
        if (auto *dlg = qobject_cast<CDialog *>(QApplication::activeModalWidget()))
            dlg->EndDialog(IDCANCEL);
    });
    QCOMPARE(theApp.InitInstance(), false);
    QCOMPARE(boxes.shown.size(), 2);
    QCOMPARE(boxes.shown[0].text, kNoIni);
    QCOMPARE(boxes.shown[1].text, "Error: Can't open file Lumera.niv" + kNoVerses);
    QCOMPARE(boxes.shown[0].caption, QCoreApplication::applicationName());
    QCOMPARE(boxes.shown[0].type, MB_OK | MB_ICONSTOP);
    QVERIFY(QuitRequest::Requested());
    QCOMPARE(QuitRequest::ExitCode(), 0);
}

void TestBadInput::startUp_data()
{
    QTest::addColumn<QByteArray>("ini");
    QTest::addColumn<QByteArray>("verses"); // of the file the settings name
    QTest::addColumn<QStringList>("messages"); // the starts of the messages shown
    QTest::addColumn<int>("count"); // verses loaded

    const QByteArray ini = "FILE=v.niv\r\n";
    const QByteArray verse = "T\r\nR\r\nA\r\n#\r\n$$$\r\n";
    QTest::newRow("no settings: the default verse file") << QByteArray("<none>") << verse << QStringList{kNoIni} << 1;
    // The language follows the first message expected.
    QTest::newRow("verse file missing, in Czech, format codes as written")
        << QByteArray("FILE=gone %s.niv\r\n") << verse
        << QStringList{QStringLiteral("Chyba: Nemůžu otevřít soubor gone %s.niv\n\nSoubor uvedený v LUMERA.INI v "
                                      "položce FILE zřejmě v aktuálním adresáři neexistuje.")}
        << 0;
    QTest::newRow("a 100 KB name shows its start and end")
        << "FILE=" + QByteArray(100000, 'x') + ".niv" << verse
        << QStringList{"Error: Can't open file " + QString(39, 'x') + QChar(0x2026) + QString(36, 'x') + ".niv\n"} << 0;
    QTest::newRow("a long name is not cut inside a character")
        << "FILE=" + QByteArray(38, 'x') + "\xF0\x9F\x98\x80" + QByteArray(100, 'y') + "\xF0\x9F\x98\x80"
               + QByteArray(39, 'z')
        << verse << QStringList{"Error: Can't open file " + QString(38, 'x') + QChar(0x2026) + QString(39, 'z') + "\n"}
        << 0;
    for (const QByteArray &kind : kNotAFile.sliced(1)) {
        QTest::addRow("settings file is a %s", kind.constData())
            << kind << QByteArray("<none>") << QStringList{kNoIni, "Error: Can't open file Lumera.niv\n"} << 0;
        QTest::addRow("FILE names a %s", kind.constData())
            << ini << kind << QStringList{"Error: Can't open file v.niv\n"} << 0;
    }
    QTest::newRow("10 MB line") << ini << "T\r\nR\r\n" + QByteArray(10 << 20, 'w') + "\r\n#\r\n$$$\r\n"
                                << QStringList{} << 1;
    QTest::newRow("100,000 empty records") << ini << QByteArray("\r\n\r\n#\r\n").repeated(100000) + "$$$\r\n"
                                           << QStringList{} << 100000;
}

void TestBadInput::startUp()
{
    QFETCH(QByteArray, ini);
    QFETCH(QByteArray, verses);
    QFETCH(QStringList, messages);
    QFETCH(int, count);
    WorkFolder folder;
    Make(folder, "Lumera.ini", ini);
    Make(folder, ini == "<none>" ? "Lumera.niv" : "v.niv", verses);
    MessageBoxScript boxes;
    {
        theApp.m_bCzech = messages.value(0).startsWith("Chyba");
        CLumeraDlg dlg;
        theApp.m_bCzech = 0;
        QTimer::singleShot(0, &dlg, [&] { dlg.EndDialog(IDOK); });
        dlg.DoModal();
        QCOMPARE(dlg.m_verses.m_nVerseCount, count);
        const int current = dlg.m_verses.m_nCurrent;
        QVERIFY(current >= -1 && current < dlg.m_verses.m_nVerseCount);
        QCOMPARE(current == -1, dlg.m_verses.m_nVerseCount == 0);
        QVERIFY(dlg.GetDlgItemText(IDC_CONTENTS).size() <= kMaxShownChars + 1);
    }
    QCOMPARE(boxes.shown.size(), messages.size());
    for (qsizetype i = 0; i < messages.size(); ++i)
        QVERIFY2(boxes.shown[i].text.startsWith(messages[i]), qPrintable(boxes.shown[i].text));
    if (!kNotAFile.contains(ini))
        QCOMPARE(folder.Read("Lumera.ini"), ini);
    if (!kNotAFile.contains(verses))
        QCOMPARE(folder.Read(ini == "<none>" ? "Lumera.niv" : "v.niv"), verses);
}

QTEST_MAIN(TestBadInput)
#include "tst_bad_input.moc"
