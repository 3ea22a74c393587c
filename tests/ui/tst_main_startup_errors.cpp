#include "DialogTestSupport.h"
#include "app/CLumeraApp.h"
#include "platform/QuitRequest.h"
#include "res/Resource.h"
#include "ui/main/CLumeraDlg.h"

// Start-up with files missing: each error is shown, in order, then the
// program ends. A quit request ends every later modal loop of the process,
// so these tests live apart from the others.
class TestMainStartupErrors : public QObject
{
    Q_OBJECT

private slots:
    void missingFiles_reportedInOrderThenQuit_data();
    void missingFiles_reportedInOrderThenQuit();
};

void TestMainStartupErrors::missingFiles_reportedInOrderThenQuit_data()
{
    QTest::addColumn<QByteArray>("ini"); // none when empty
    QTest::addColumn<int>("czech");
    QTest::addColumn<QStringList>("messages");
    const QString noIni =
        "Error: Can't open file Lumera.ini\n\nThe file doesn't exist in the current directory.";
    const QString noVerses =
        "\n\nThe file specified in LUMERA.INI in FILES section doesn't exist in the current "
        "directory.";
    // Run as the program starts: the application object runs the main dialog.
    QTest::newRow("no settings: default verse file read") << QByteArray() << -1 << QStringList{noIni};
    QTest::newRow("neither file") << QByteArray() << 0
                                  << QStringList{noIni, "Error: Can't open file Lumera.niv" + noVerses};
    QTest::newRow("verse file missing, name as written")
        << QByteArray("FILE=gone %s.niv\r\n") << 0
        << QStringList{"Error: Can't open file gone %s.niv" + noVerses};
    QTest::newRow("verse file missing, Czech")
        << QByteArray("FILE=gone %s.niv\r\n") << 1
        << QStringList{
               QStringLiteral("Chyba: Nemůžu otevřít soubor gone %s.niv\n\nSoubor uvedený v LUMERA.INI v "
                              "položce FILE zřejmě v aktuálním adresáři neexistuje.")};
}

void TestMainStartupErrors::missingFiles_reportedInOrderThenQuit()
{
    QFETCH(QByteArray, ini);
    QFETCH(int, czech);
    QFETCH(QStringList, messages);
    WorkFolder folder;
    const QByteArray verses = "Default\r\nRef\r\nFrom the default file.\r\n#\r\n$$$\r\n";
    if (!ini.isEmpty())
        folder.Write("Lumera.ini", ini);
    if (czech < 0)
        folder.Write("Lumera.niv", verses);
    MessageBoxScript boxes;
    if (czech < 0) {
        QCOMPARE(theApp.InitInstance(), false);
    } else {
        theApp.m_bCzech = czech;
        CLumeraDlg dlg;
        theApp.m_bCzech = 0;
        QCOMPARE(dlg.DoModal(), 0);
        QCOMPARE(dlg.m_verses.m_nCurrent, -1);
        QCOMPARE(dlg.GetDlgItemText(IDC_TITLE), QString());
    }
    QVERIFY(QuitRequested());
    QCOMPARE(QuitExitCode(), 0);
    QStringList shown;
    for (const MessageBoxRequest &box : std::as_const(boxes.shown)) {
        shown.append(box.text);
        QCOMPARE(box.caption, QCoreApplication::applicationName());
        QCOMPARE(box.type, MB_OK | MB_ICONSTOP);
    }
    QCOMPARE(shown, messages);
    QCOMPARE(folder.Read("Lumera.niv"), czech < 0 ? verses : QByteArray());
}

QTEST_MAIN(TestMainStartupErrors)
#include "tst_main_startup_errors.moc"
