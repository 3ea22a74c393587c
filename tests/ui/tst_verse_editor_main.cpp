// The verse editor run from the main window's menu: what it changes reaches
// the rewritten verse file, and the window shows the editor's last verse.
#include "DialogTestSupport.h"
#include "data/VerseFile.h"
#include "tst_verse_editor_support.h"
#include "ui/main/CLumeraDlg.h"

class TestVerseEditorMain : public QObject
{
    Q_OBJECT

private slots:
    void keystroke_reachesRewrittenFile();
    void unchangedRun_stillRewritesFile_andShowsEditorsVerse();
    void deletingOnlyVerse_leavesEmptyFieldsAndEndMarker();
    void windows1250File_typedTextStoredInItsEncoding();

private:
    // Runs the main dialog in the folder, opens the editor from its menu and
    // acts in it; then gives the main dialog to check.
    void RunThroughMenu(const std::function<void(CVerseEditDlg &)> &act,
                        const std::function<void(CLumeraDlg &)> &check);
};

namespace {

const QByteArray kThreeVerses = "One\nRef 1\nFirst text.\n#\n"
                                "Two\nRef 2\nSecond text.\n#\n"
                                "Three\nRef 3\nThird text.\n#\n$$$\n";

QString MainField(CLumeraDlg &dlg, int id)
{
    return dlg.GetDlgItemText(id);
}

} // namespace

void TestVerseEditorMain::RunThroughMenu(const std::function<void(CVerseEditDlg &)> &act,
                                         const std::function<void(CLumeraDlg &)> &check)
{
    CLumeraDlg dlg;
    theApp.m_pMainWnd = &dlg;
    bool acted = false;
    bool checked = false;
    QTimer::singleShot(0, &dlg, [&] {
        QTimer::singleShot(0, &dlg, [&] {
            auto *editor = dlg.findChild<CVerseEditDlg *>();
            QVERIFY(editor && editor->isVisible());
            act(*editor);
            acted = true;
            if (editor->isVisible())
                editor->EndDialog(IDOK);
        });
        dlg.OnSysCommand(IDM_VERSE_EDITOR);
        check(dlg);
        checked = true;
        dlg.EndDialog(IDOK);
    });
    dlg.DoModal();
    theApp.m_pMainWnd = nullptr;
    QVERIFY(acted);
    QVERIFY(checked);
}

void TestVerseEditorMain::keystroke_reachesRewrittenFile()
{
    WorkFolder folder;
    folder.Write("Lumera.ini", "FILE=verses.niv\r\n");
    folder.Write("verses.niv", kThreeVerses);
    MessageBoxScript boxes;
    RunThroughMenu(
        [](CVerseEditDlg &editor) {
            Click(editor, IDC_LAST);
            QWidget *text = editor.GetDlgItem(IDC_CONTENTS);
            QTest::keyClick(text, Qt::Key_End, Qt::ControlModifier);
            QTest::keyClicks(text, "Amen");
            QTest::keyClick(&editor, Qt::Key_Escape);
        },
        [](CLumeraDlg &dlg) {
            QCOMPARE(dlg.m_verses.m_nCurrent, 2);
            QCOMPARE(MainField(dlg, IDC_TITLE), QStringLiteral("Three"));
            QCOMPARE(MainField(dlg, IDC_CONTENTS), QStringLiteral("Third text. Amen"));
        });
    const VerseList saved = VerseFile::Parse(folder.Read("verses.niv"));
    QCOMPARE(saved.m_nVerseCount, 3);
    QCOMPARE(saved.m_arrTitles[2], QByteArray("Three"));
    QCOMPARE(saved.m_arrContents[2], QByteArray("Third text. Amen "));
    QCOMPARE(saved.m_arrContents[1], QByteArray("Second text. "));
    QVERIFY(boxes.shown.isEmpty());
}

void TestVerseEditorMain::unchangedRun_stillRewritesFile_andShowsEditorsVerse()
{
    WorkFolder folder;
    folder.Write("Lumera.ini", "FILE=verses.niv\r\n");
    folder.Write("verses.niv", kThreeVerses); // LF line ends: a rewrite makes them CR LF
    MessageBoxScript boxes;
    RunThroughMenu([](CVerseEditDlg &editor) { Click(editor, IDC_FIRST); },
                   [](CLumeraDlg &dlg) {
                       QCOMPARE(dlg.m_verses.m_nCurrent, 0);
                       QCOMPARE(MainField(dlg, IDC_TITLE), QStringLiteral("One"));
                       QCOMPARE(MainField(dlg, IDC_NUMBER), QStringLiteral("Ref 1"));
                   });
    QByteArray expected = kThreeVerses;
    expected.replace("\n", "\r\n");
    QCOMPARE(folder.Read("verses.niv"), expected);
}

void TestVerseEditorMain::deletingOnlyVerse_leavesEmptyFieldsAndEndMarker()
{
    WorkFolder folder;
    folder.Write("Lumera.ini", "FILE=one.niv\r\n");
    folder.Write("one.niv", "Only\r\nRef\r\nText\r\n#\r\n$$$\r\n");
    MessageBoxScript boxes(IDYES);
    RunThroughMenu([](CVerseEditDlg &editor) { Click(editor, IDC_DELETE); },
                   [](CLumeraDlg &dlg) {
                       QCOMPARE(dlg.m_verses.m_nVerseCount, 0);
                       QCOMPARE(dlg.m_verses.m_nCurrent, -1);
                       for (int id : {IDC_TITLE, IDC_NUMBER, IDC_CONTENTS})
                           QCOMPARE(MainField(dlg, id), QString());
                   });
    QCOMPARE(boxes.shown.size(), 1);
    QCOMPARE(folder.Read("one.niv"), QByteArray("$$$\r\n"));
}

void TestVerseEditorMain::windows1250File_typedTextStoredInItsEncoding()
{
    WorkFolder folder;
    folder.Write("Lumera.ini", "FILE=cz.niv\r\n");
    folder.Write("cz.niv", "L\xE1ska\r\nJan 3,16\r\n\x8E" "ivot\r\n#\r\n$$$\r\n");
    MessageBoxScript boxes;
    BeepCounter beeps;
    RunThroughMenu(
        [](CVerseEditDlg &editor) {
            QWidget *title = editor.GetDlgItem(IDC_TITLE);
            QTest::keyClick(title, Qt::Key_End); // the focus came by tab and selected all
            TypeText(title, QStringLiteral("řЖ"));
        },
        [](CLumeraDlg &dlg) { QCOMPARE(MainField(dlg, IDC_TITLE), QStringLiteral("Láskař")); });
    QCOMPARE(beeps.count, 1);
    QVERIFY(folder.Read("cz.niv").startsWith("L\xE1ska\xF8\r\nJan 3,16\r\n\x8E" "ivot"));
}

QTEST_MAIN(TestVerseEditorMain)
#include "tst_verse_editor_main.moc"
