#include "DialogTestSupport.h"
#include "app/CLumeraApp.h"
#include "platform/QuitRequest.h"
#include "res/Resource.h"
#include "ui/main/CLumeraDlg.h"

// Start-up with files missing: each error is shown, then the program ends.
// A quit request ends every later modal loop of the process, so these tests
// live apart from the others.
class TestMainStartupErrors : public QObject
{
    Q_OBJECT

private slots:
    void missingSettings_reportsThenReadsDefaultVerseFileAndEnds();
    void missingBoth_reportsBothInOrder();
    void missingVerseFile_reportsNameAndShowsEmptyFields_data();
    void missingVerseFile_reportsNameAndShowsEmptyFields();
};

void TestMainStartupErrors::missingSettings_reportsThenReadsDefaultVerseFileAndEnds()
{
    WorkFolder folder;
    folder.Write("Lumera.niv", "Default\r\nRef\r\nFrom the default file.\r\n#\r\n$$$\r\n");
    MessageBoxScript boxes;
    QCOMPARE(theApp.InitInstance(), false);
    QVERIFY(QuitRequested());
    QCOMPARE(QuitExitCode(), 0);
    QCOMPARE(boxes.shown.size(), 1);
    QCOMPARE(boxes.shown[0].text,
             QStringLiteral("Error: Can't open file Lumera.ini\n\nThe file doesn't exist in the current directory."));
    QCOMPARE(boxes.shown[0].caption, QCoreApplication::applicationName());
    QCOMPARE(boxes.shown[0].type, MB_OK | MB_ICONSTOP);
    QCOMPARE(folder.Read("Lumera.niv"), QByteArray("Default\r\nRef\r\nFrom the default file.\r\n#\r\n$$$\r\n"));
}

void TestMainStartupErrors::missingBoth_reportsBothInOrder()
{
    WorkFolder folder;
    MessageBoxScript boxes;
    CLumeraDlg dlg;
    QCOMPARE(dlg.DoModal(), 0);
    QCOMPARE(boxes.shown.size(), 2);
    QVERIFY(boxes.shown[0].text.contains(QLatin1String("Lumera.ini")));
    QVERIFY(boxes.shown[1].text.startsWith(QLatin1String("Error: Can't open file Lumera.niv\n\n")));
    QCOMPARE(dlg.m_verses.m_nCurrent, -1);
    QVERIFY(!QFile::exists(folder.Path("Lumera.niv")));
}

void TestMainStartupErrors::missingVerseFile_reportsNameAndShowsEmptyFields_data()
{
    QTest::addColumn<int>("czech");
    QTest::addColumn<QString>("message");
    QTest::newRow("English") << 0
        << QStringLiteral("Error: Can't open file gone %s.niv\n\nThe file specified in LUMERA.INI in FILES "
                          "section doesn't exist in the current directory.");
    QTest::newRow("Czech") << 1
        << QStringLiteral("Chyba: Nemůžu otevřít soubor gone %s.niv\n\nSoubor uvedený v LUMERA.INI v položce "
                          "FILE zřejmě v aktuálním adresáři neexistuje.");
}

void TestMainStartupErrors::missingVerseFile_reportsNameAndShowsEmptyFields()
{
    QFETCH(int, czech);
    QFETCH(QString, message);
    WorkFolder folder;
    folder.Write("Lumera.ini", "FILE=gone %s.niv\r\n");
    MessageBoxScript boxes;
    theApp.m_bCzech = czech;
    CLumeraDlg dlg;
    theApp.m_bCzech = 0;
    QCOMPARE(dlg.DoModal(), 0);
    QCOMPARE(boxes.shown.size(), 1);
    QCOMPARE(boxes.shown[0].text, message);
    QCOMPARE(dlg.m_verses.m_nVerseCount, 0);
    QCOMPARE(dlg.GetDlgItemText(IDC_TITLE), QString());
}

QTEST_MAIN(TestMainStartupErrors)
#include "tst_main_startup_errors.moc"
