#include "DialogTestSupport.h"
#include "app/CLumeraApp.h"
#include "platform/CBitmapButton.h"
#include "res/Resource.h"
#include "ui/main/CLumeraDlg.h"
#include "ui/main/FontDescription.h"
#include "ui/main/IconPosition.h"

#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>

// The main window, run on verse files of its own in a temporary folder.
class TestMainDialog : public QObject
{
    Q_OBJECT

private slots:
    void fontDescription_data();
    void fontDescription();
    void iconPosition_data();
    void iconPosition();

    void start_showsVerseInFields();
    void enter_pressesFocusedButton_data();
    void enter_pressesFocusedButton();
    void picksInSameSecond_showSameVerse();
    void emptyList_showsEmptyFields();
    void fontsFromSettings_appliedToFields();
    void editionInfo_captionByLanguage_data();
    void editionInfo_captionByLanguage();
    void systemMenu_entriesInOrder();
    void editorClose_saveRetriesOrAsks_data();
    void editorClose_saveRetriesOrAsks();

private:
    // Runs the dialog's initialisation and gives it to check before closing.
    void RunDialog(const std::function<void(CLumeraDlg &)> &check, int czech = 0);
};

namespace {

const QByteArray kThreeVerses = "One\r\nRef 1\r\nFirst text.\r\n#\r\n"
                                "Two\r\nRef 2\r\nSecond text.\r\n#\r\n"
                                "Three\r\nRef 3\r\nThird text.\r\n#\r\n$$$\r\n";

void WriteThreeVerses(const WorkFolder &folder, const QByteArray &ini = "FILE=verses.niv\r\n")
{
    folder.Write("Lumera.ini", ini);
    folder.Write("verses.niv", kThreeVerses);
}

QString FieldText(CLumeraDlg &dlg, int id)
{
    return dlg.GetDlgItemText(id);
}

} // namespace

void TestMainDialog::RunDialog(const std::function<void(CLumeraDlg &)> &check, int czech)
{
    theApp.m_bCzech = czech;
    CLumeraDlg dlg;
    bool checked = false;
    QTimer::singleShot(0, &dlg, [&] {
        check(dlg);
        checked = true;
        dlg.EndDialog(IDOK);
    });
    dlg.DoModal();
    theApp.m_bCzech = 0;
    QVERIFY(checked);
}

void TestMainDialog::fontDescription_data()
{
    QTest::addColumn<QByteArray>("face");
    QTest::addColumn<QByteArray>("style");
    QTest::addColumn<QByteArray>("size");
    QTest::addColumn<int>("height");
    QTest::addColumn<int>("weight");
    QTest::addColumn<bool>("italic");
    QTest::addColumn<QByteArray>("faceName");

    QTest::newRow("default font 1") << QByteArray("Times") << QByteArray("ITALIC_BOLD") << QByteArray("16")
                                    << 16 << 700 << true << QByteArray("Times");
    QTest::newRow("default font 2") << QByteArray("Helvetica") << QByteArray("ITALIC") << QByteArray("18")
                                    << 18 << 400 << true << QByteArray("Helvetica");
    QTest::newRow("lower-case style words") << QByteArray("Arial") << QByteArray("bold italic")
                                            << QByteArray("12") << 12 << 400 << false << QByteArray("Arial");
    QTest::newRow("no separator") << QByteArray("Arial") << QByteArray("BOLDITALIC") << QByteArray("12")
                                  << 12 << 700 << true << QByteArray("Arial");
    QTest::newRow("empty style") << QByteArray("Arial") << QByteArray() << QByteArray("12")
                                 << 12 << 400 << false << QByteArray("Arial");
    QTest::newRow("negative size is character height") << QByteArray("Arial") << QByteArray() << QByteArray("-12")
                                                      << -12 << 400 << false << QByteArray("Arial");
    QTest::newRow("no number") << QByteArray("Arial") << QByteArray() << QByteArray("abc")
                               << 0 << 400 << false << QByteArray("Arial");
    QTest::newRow("huge size held") << QByteArray("Arial") << QByteArray() << QByteArray("99999999999")
                                    << kMaxFontHeight << 400 << false << QByteArray("Arial");
    QTest::newRow("huge negative size held") << QByteArray("Arial") << QByteArray() << QByteArray("-99999999999")
                                             << -kMaxFontHeight << 400 << false << QByteArray("Arial");
    QTest::newRow("long face cut to 31") << QByteArray(40, 'F') << QByteArray() << QByteArray("10")
                                         << 10 << 400 << false << QByteArray(31, 'F');
    QTest::newRow("Windows-1250 face name") << QByteArray("\x8E" "alm") << QByteArray() << QByteArray("10")
                                            << 10 << 400 << false << QStringLiteral("Žalm").toUtf8();
}

void TestMainDialog::fontDescription()
{
    QFETCH(QByteArray, face);
    QFETCH(QByteArray, style);
    QFETCH(QByteArray, size);
    QFETCH(int, height);
    QFETCH(int, weight);
    QFETCH(bool, italic);
    QFETCH(QByteArray, faceName);
    const LogFont lf = MakeLogFont(face, style, size);
    QCOMPARE(lf.lfHeight, height);
    QCOMPARE(lf.lfWeight, weight);
    QCOMPARE(lf.lfItalic, italic);
    QCOMPARE(QByteArray(lf.lfFaceName), faceName);
}

void TestMainDialog::iconPosition_data()
{
    QTest::addColumn<QSize>("client");
    QTest::addColumn<QPoint>("position");
    QTest::newRow("36 x 36") << QSize(36, 36) << QPoint(2, 2);
    QTest::newRow("odd margin rounds up") << QSize(37, 35) << QPoint(3, 2);
    QTest::newRow("narrower than the icon") << QSize(20, 36) << QPoint(-5, 2);
    QTest::newRow("one narrower truncates to zero") << QSize(31, 30) << QPoint(0, 0);
}

void TestMainDialog::iconPosition()
{
    QFETCH(QSize, client);
    QFETCH(QPoint, position);
    QCOMPARE(CenteredIconPosition(client, QSize(32, 32)), position);
}

void TestMainDialog::start_showsVerseInFields()
{
    WorkFolder folder;
    WriteThreeVerses(folder);
    MessageBoxScript boxes;
    RunDialog([](CLumeraDlg &dlg) {
        QCOMPARE(dlg.m_verses.m_nVerseCount, 3);
        const int i = dlg.m_verses.m_nCurrent;
        QVERIFY(i >= 0 && i < 3);
        QCOMPARE(FieldText(dlg, IDC_TITLE), QString::fromLatin1(dlg.m_verses.m_arrTitles[i]));
        QCOMPARE(FieldText(dlg, IDC_NUMBER), QString::fromLatin1(dlg.m_verses.m_arrNumbers[i]));
        QCOMPARE(FieldText(dlg, IDC_CONTENTS), QString::fromLatin1(dlg.m_verses.m_arrContents[i]));
        QVERIFY(FieldText(dlg, IDC_CONTENTS).endsWith(QLatin1String("text. ")));
        for (int id : {IDC_TITLE, IDC_NUMBER}) { // read-only, showing the start of the text
            QVERIFY(qobject_cast<QLineEdit *>(dlg.GetDlgItem(id))->isReadOnly());
            QCOMPARE(qobject_cast<QLineEdit *>(dlg.GetDlgItem(id))->cursorPosition(), 0);
        }
        QVERIFY(qobject_cast<QPlainTextEdit *>(dlg.GetDlgItem(IDC_CONTENTS))->isReadOnly());
        QCOMPARE(dlg.windowTitle(), QStringLiteral("Lumera"));
        QVERIFY(!dlg.windowIcon().isNull());
    });
    QVERIFY(boxes.shown.isEmpty());
}

void TestMainDialog::enter_pressesFocusedButton_data()
{
    QTest::addColumn<int>("button"); // 0: the focus at start, which is on Exit
    QTest::addColumn<int>("picks");
    QTest::addColumn<int>("boxes");
    QTest::newRow("Exit, focused at start") << 0 << 0 << 0;
    QTest::newRow("Another") << int(IDC_ANOTHER) << 1 << 0;
    QTest::newRow("logo") << int(IDC_LICPICT) << 0 << 1;
}

// Enter presses the focused button; only Exit ends the dialog.
void TestMainDialog::enter_pressesFocusedButton()
{
    QFETCH(int, button);
    QFETCH(int, picks);
    QFETCH(int, boxes);
    WorkFolder folder;
    WriteThreeVerses(folder);
    MessageBoxScript shown;
    CLumeraDlg dlg;
    QWidget *focusAtStart = nullptr;
    int picked = 0;
    QTimer::singleShot(0, &dlg, [&] {
        QVERIFY(QTest::qWaitForWindowExposed(&dlg));
        focusAtStart = QApplication::focusWidget();
        dlg.m_clock = [&picked] { return std::time_t(++picked); };
        QWidget *target = button ? dlg.GetDlgItem(button) : focusAtStart;
        target->setFocus();
        QTest::keyClick(target, Qt::Key_Return);
        if (dlg.isVisible())
            dlg.EndDialog(IDCANCEL);
    });
    QCOMPARE(dlg.DoModal(), button ? IDCANCEL : IDOK);
    QCOMPARE(focusAtStart, dlg.GetDlgItem(IDOK));
    QCOMPARE(picked, picks);
    QCOMPARE(shown.shown.size(), boxes);
}

void TestMainDialog::picksInSameSecond_showSameVerse()
{
    WorkFolder folder;
    folder.Write("Lumera.ini", "FILE=verses.niv\r\n");
    QByteArray many;
    for (int i = 0; i < 200; ++i)
        many += "T" + QByteArray::number(i) + "\r\nR\r\nX\r\n#\r\n";
    folder.Write("verses.niv", many + "$$$\r\n");
    MessageBoxScript boxes;
    RunDialog([](CLumeraDlg &dlg) {
        dlg.m_clock = [] { return std::time_t(1'700'000'123); };
        dlg.PickRandomVerse();
        const int first = dlg.m_verses.m_nCurrent;
        QTest::mouseClick(dlg.GetDlgItem(IDC_ANOTHER), Qt::LeftButton);
        QCOMPARE(dlg.m_verses.m_nCurrent, first);
        std::srand(1'700'000'123);
        QCOMPARE(first, std::rand() % 200);
    });
}


void TestMainDialog::emptyList_showsEmptyFields()
{
    WorkFolder folder;
    folder.Write("Lumera.ini", "FILE=empty.niv\r\n");
    folder.Write("empty.niv", "$$$\r\n");
    MessageBoxScript boxes;
    RunDialog([](CLumeraDlg &dlg) {
        QCOMPARE(dlg.m_verses.m_nVerseCount, 0);
        QCOMPARE(dlg.m_verses.m_nCurrent, -1);
        for (int id : {IDC_TITLE, IDC_NUMBER, IDC_CONTENTS})
            QCOMPARE(FieldText(dlg, id), QString());
        QTest::mouseClick(dlg.GetDlgItem(IDC_ANOTHER), Qt::LeftButton);
        QCOMPARE(dlg.m_verses.m_nCurrent, -1);
    });
    QVERIFY(boxes.shown.isEmpty());
}

void TestMainDialog::fontsFromSettings_appliedToFields()
{
    WorkFolder folder;
    WriteThreeVerses(folder, "FILE=verses.niv\r\nFONT1=DejaVu Sans\r\nFACE1=BOLD\r\nSIZE1=-20\r\n"
                             "FONT2=DejaVu Serif\r\nFACE2=ITALIC\r\nSIZE2=-14\r\n");
    MessageBoxScript boxes;
    RunDialog([](CLumeraDlg &dlg) {
        const QFont title = dlg.GetDlgItem(IDC_TITLE)->font();
        QCOMPARE(title.family(), QStringLiteral("DejaVu Sans"));
        QCOMPARE(title.bold(), true);
        QCOMPARE(title.italic(), false);
        QCOMPARE(title.pixelSize(), 20);
        QCOMPARE(dlg.GetDlgItem(IDC_NUMBER)->font(), title);
        const QFont contents = dlg.GetDlgItem(IDC_CONTENTS)->font();
        QCOMPARE(contents.italic(), true);
        QCOMPARE(contents.bold(), false);
        QCOMPARE(contents.pixelSize(), 14);
    });
}

void TestMainDialog::editionInfo_captionByLanguage_data()
{
    QTest::addColumn<int>("czech");
    QTest::addColumn<QString>("caption");
    QTest::newRow("English") << 0 << QStringLiteral("Edition");
    QTest::newRow("Czech") << 1 << QStringLiteral("Verze programu");
}

void TestMainDialog::editionInfo_captionByLanguage()
{
    QFETCH(int, czech);
    QFETCH(QString, caption);
    WorkFolder folder;
    WriteThreeVerses(folder);
    MessageBoxScript boxes;
    RunDialog([](CLumeraDlg &dlg) {
        QTest::mouseClick(dlg.GetDlgItem(IDC_LICPICT), Qt::LeftButton);
    }, czech);
    QCOMPARE(boxes.shown.size(), 1);
    QCOMPARE(boxes.shown[0].caption, caption);
    QCOMPARE(boxes.shown[0].type, MB_OK | MB_ICONINFORMATION);
    QVERIFY(boxes.shown[0].text.contains(QStringLiteral("vychází")));
    QVERIFY(boxes.shown[0].owner != nullptr);
}

void TestMainDialog::systemMenu_entriesInOrder()
{
    WorkFolder folder;
    WriteThreeVerses(folder);
    MessageBoxScript boxes;
    RunDialog([](CLumeraDlg &dlg) {
        QStringList texts;
        for (QAction *action : dlg.SystemMenu()->actions())
            texts << (action->isSeparator() ? QStringLiteral("-") : action->text());
        QCOMPARE(texts, (QStringList{"&Move", "&Close\tAlt+F4", "-", "&Edit verses", "-", "&About Lumera..."}));
        // Each entry runs its dialog: note which one is open, then close it.
        QStringList opened;
        for (QAction *action : {dlg.SystemMenu()->actions()[3], dlg.SystemMenu()->actions()[5]}) {
            QTimer::singleShot(0, &dlg, [&opened] {
                auto *box = qobject_cast<CDialog *>(QApplication::activeModalWidget());
                QVERIFY(box);
                opened << box->windowTitle();
                box->EndDialog(IDCANCEL);
            });
            action->trigger();
        }
        QCOMPARE(opened, (QStringList{"Edit verses", "About Lumera"}));
    });
}

// The editor closes with the verses unchanged; meanwhile the verse file is
// replaced by a folder (the save fails: Retry once it is gone) or rewritten
// by another program (the save asks: No leaves it, the next save asks again).
void TestMainDialog::editorClose_saveRetriesOrAsks_data()
{
    QTest::addColumn<bool>("folder");
    QTest::addColumn<QList<int>>("answers");
    QTest::addColumn<unsigned>("type");
    QTest::addColumn<QString>("text");
    QTest::newRow("failed save, Retry") << true << QList<int>{IDRETRY} << (MB_RETRYCANCEL | MB_ICONSTOP)
        << "Error: Can't open file verses.niv\n\nThe file specified in LUMERA.INI in FILES section doesn't "
           "exist in the current directory.\n\nIs a directory";
    QTest::newRow("changed on disk, No then Yes") << false << QList<int>{IDNO, IDYES} << (MB_YESNO | MB_ICONQUESTION)
        << "The file verses.niv was changed on disk since it was read.\n\nReplace it with your edits?";
}

void TestMainDialog::editorClose_saveRetriesOrAsks()
{
    QFETCH(bool, folder);
    QFETCH(QList<int>, answers);
    QFETCH(unsigned, type);
    QFETCH(QString, text);
    WorkFolder work;
    WriteThreeVerses(work);
    QList<MessageBoxRequest> shown;
    MessageBoxSeam::SetHandler([&](const MessageBoxRequest &request) {
        shown.append(request);
        if (folder)
            QDir(work.Path("verses.niv")).removeRecursively();
        return answers.value(shown.size() - 1, IDCANCEL);
    });
    const auto runEditor = [](CLumeraDlg &dlg, const std::function<void()> &whileOpen) {
        QTimer::singleShot(0, &dlg, [whileOpen] {
            whileOpen();
            qobject_cast<CDialog *>(QApplication::activeModalWidget())->EndDialog(IDCANCEL);
        });
        dlg.OnSysCommand(IDM_VERSE_EDITOR);
    };
    RunDialog([&](CLumeraDlg &dlg) {
        runEditor(dlg, [&] {
            QVERIFY(QFile::remove(work.Path("verses.niv")));
            if (folder)
                QVERIFY(QDir(work.Path(".")).mkdir("verses.niv"));
            else
                work.Write("verses.niv", "changed");
        });
        if (!folder) {
            QCOMPARE(work.Read("verses.niv"), QByteArray("changed"));
            runEditor(dlg, [] {});
        }
    });
    MessageBoxSeam::Reset();
    QCOMPARE(shown.size(), answers.size());
    for (const MessageBoxRequest &request : shown) {
        QCOMPARE(request.type, type);
        QCOMPARE(request.text, text);
    }
    QCOMPARE(work.Read("verses.niv"), kThreeVerses);
}

QTEST_MAIN(TestMainDialog)
#include "tst_main_dialog.moc"
