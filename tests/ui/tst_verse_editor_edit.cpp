// Editing in the verse editor: every change stored at once, input the verse
// file cannot hold refused, the ways to close it, its tips and their relay.
#include "DialogTestSupport.h"
#include "platform/CToolTipCtrl.h"
#include "tst_verse_editor_support.h"
#include "platform/DlgItemText.h"
#include "ui/editor/FieldText.h"

#include <QApplication>
#include <QClipboard>
#include <QEnterEvent>
#include <QLabel>
#include <QPushButton>

using Kind = TextEncoding::Kind;

class TestVerseEditorEdit : public QObject
{
    Q_OBJECT

private slots:
    void keystroke_survivesMoveAndEveryWayOfClosing_data();
    void keystroke_survivesMoveAndEveryWayOfClosing();
    void input_refusedWithBeep_data();
    void input_refusedWithBeep();
    void input_allowed_storedAtCurrent_data();
    void input_allowed_storedAtCurrent();
    void enterInEachField_closesKeepingChanges_data();
    void enterInEachField_closesKeepingChanges();
    void language_choosesTipsAndQuestionOnly_data();
    void language_choosesTipsAndQuestionOnly();
    void relay_onlyTheEditorsEventsWhileOpen();
};

namespace {

// End moves to the end of a one-line field, Ctrl+End to the end of a text.
void ToEnd(QWidget *field)
{
    QTest::keyClick(field, Qt::Key_End);
    QTest::keyClick(field, Qt::Key_End, Qt::ControlModifier);
}

void TypeAtEnd(QWidget *field, const QString &text)
{
    ToEnd(field);
    TypeText(field, text);
}

void PasteAtEnd(QWidget *field, const QString &text)
{
    QApplication::clipboard()->setText(text);
    ToEnd(field);
    QTest::keyClick(field, Qt::Key_V, Qt::ControlModifier);
}

void Enter(QWidget *widget)
{
    QEnterEvent event(QPointF(2, 2), QPointF(2, 2), widget->mapToGlobal(QPointF(2, 2)));
    QApplication::sendEvent(widget, &event);
}

} // namespace

void TestVerseEditorEdit::keystroke_survivesMoveAndEveryWayOfClosing_data()
{
    QTest::addColumn<QString>("way");
    QTest::addColumn<int>("result");
    QTest::newRow("Escape") << "escape" << IDCANCEL;
    QTest::newRow("close box") << "close" << IDCANCEL;
    QTest::newRow("Exit") << "exit" << IDOK;
}

void TestVerseEditorEdit::keystroke_survivesMoveAndEveryWayOfClosing()
{
    QFETCH(QString, way);
    QFETCH(int, result);
    VerseList list = MakeVerses(3, 1);
    const int closedWith = RunEditor(list, [&](CVerseEditDlg &dlg) {
        TypeAtEnd(dlg.GetDlgItem(IDC_CONTENTS), " Amen");
        Click(dlg, IDC_NEXT);
        QCOMPARE(Text(dlg, IDC_CONTENTS), QStringLiteral("Text 2."));
        Click(dlg, IDC_PREV);
        QCOMPARE(Text(dlg, IDC_CONTENTS), QStringLiteral("Text 1. Amen"));
        if (way == "escape")
            QTest::keyClick(&dlg, Qt::Key_Escape);
        else if (way == "close")
            dlg.close();
        else
            Click(dlg, IDOK);
    });
    QCOMPARE(closedWith, result);
    QCOMPARE(list.m_arrContents[1], QByteArray("Text 1. Amen"));
    QCOMPARE(list.m_nCurrent, 1);
}

void TestVerseEditorEdit::input_refusedWithBeep_data()
{
    QTest::addColumn<Kind>("kind");
    QTest::addColumn<int>("field");
    QTest::addColumn<bool>("paste");
    QTest::addColumn<QString>("input");
    QTest::addColumn<QString>("kept"); // the keystrokes before the refused one
    QTest::newRow("typed $ makes $$$ in title") << Kind::Utf8 << IDC_TITLE << false << "$$$" << "$$";
    QTest::newRow("pasted $$$ into title") << Kind::Utf8 << IDC_TITLE << true << "a$$$b" << "";
    QTest::newRow("typed # in text") << Kind::Utf8 << IDC_CONTENTS << false << "a#" << "a";
    QTest::newRow("pasted # in text") << Kind::Utf8 << IDC_CONTENTS << true << "see #2" << "";
    QTest::newRow("Cyrillic in Windows-1250 title") << Kind::Windows1250 << IDC_TITLE << false << "Ж" << "";
    QTest::newRow("emoji in Windows-1250 text") << Kind::Windows1250 << IDC_CONTENTS << true << "😀" << "";
}

void TestVerseEditorEdit::input_refusedWithBeep()
{
    QFETCH(Kind, kind);
    QFETCH(int, field);
    QFETCH(bool, paste);
    QFETCH(QString, input);
    QFETCH(QString, kept);
    BeepCounter beeps;
    VerseList list = MakeVerses(3, 1);
    VerseList expected = MakeVerses(3, 1);
    QByteArray &element = ArrayOf(expected, field)[1];
    element += kept.toLatin1();
    RunEditor(list, [&](CVerseEditDlg &dlg) {
        QWidget *edit = dlg.GetDlgItem(field);
        paste ? PasteAtEnd(edit, input) : TypeAtEnd(edit, input);
        QCOMPARE(Text(dlg, field), QString::fromLatin1(element));
        QTest::keyClicks(edit, "z"); // the caret stayed at the end
        QCOMPARE(Text(dlg, field), QString::fromLatin1(element + "z"));
    }, 0, TextEncoding(kind));
    QCOMPARE(beeps.count, 1);
    element += "z";
    QCOMPARE(list, expected);
}

void TestVerseEditorEdit::input_allowed_storedAtCurrent_data()
{
    QTest::addColumn<Kind>("kind");
    QTest::addColumn<int>("field");
    QTest::addColumn<bool>("paste");
    QTest::addColumn<QString>("input");
    QTest::addColumn<QByteArray>("stored");
    QTest::newRow("# in title") << Kind::Utf8 << IDC_TITLE << false << "#" << QByteArray("Title 1#");
    QTest::newRow("$$$ in reference") << Kind::Utf8 << IDC_NUMBER << false << "$$$" << QByteArray("Ref 1$$$");
    QTest::newRow("$$$ in text") << Kind::Utf8 << IDC_CONTENTS << true << "$$$" << QByteArray("Text 1.$$$");
    QTest::newRow("pasted lines into title") << Kind::Utf8 << IDC_TITLE << true << "a\r\nb\nc"
                                             << QByteArray("Title 1a b c");
    QTest::newRow("pasted lines into reference") << Kind::Utf8 << IDC_NUMBER << true << "\n2"
                                                 << QByteArray("Ref 1 2");
    QTest::newRow("pasted lines into text kept") << Kind::Utf8 << IDC_CONTENTS << true << "\nmore"
                                                 << QByteArray("Text 1.\nmore");
    QTest::newRow("Czech in Windows-1250") << Kind::Windows1250 << IDC_CONTENTS << false << "žeň"
                                           << QByteArray("Text 1.\x9E" "e\xF2");
    QTest::newRow("no-break space kept") << Kind::Windows1250 << IDC_CONTENTS << true << "a\u00A0b"
                                         << QByteArray("Text 1.a\xA0" "b");
    QTest::newRow("Czech in UTF-8") << Kind::Utf8 << IDC_TITLE << false << "ž" << QByteArray("Title 1\xC5\xBE");
}

void TestVerseEditorEdit::input_allowed_storedAtCurrent()
{
    QFETCH(Kind, kind);
    QFETCH(int, field);
    QFETCH(bool, paste);
    QFETCH(QString, input);
    QFETCH(QByteArray, stored);
    BeepCounter beeps;
    VerseList list = MakeVerses(3, 1);
    RunEditor(list, [&](CVerseEditDlg &dlg) {
        QWidget *edit = dlg.GetDlgItem(field);
        paste ? PasteAtEnd(edit, input) : TypeAtEnd(edit, input);
        QCOMPARE(ControlText(edit), TextEncoding(kind).Decode(stored));
    }, 0, TextEncoding(kind));
    QCOMPARE(beeps.count, 0);
    VerseList expected = MakeVerses(3, 1);
    ArrayOf(expected, field)[1] = stored;
    QCOMPARE(list, expected);
}

void TestVerseEditorEdit::enterInEachField_closesKeepingChanges_data()
{
    QTest::addColumn<int>("field");
    QTest::newRow("title") << IDC_TITLE;
    QTest::newRow("reference") << IDC_NUMBER;
    QTest::newRow("multi-line text") << IDC_CONTENTS;
}

void TestVerseEditorEdit::enterInEachField_closesKeepingChanges()
{
    QFETCH(int, field);
    VerseList list = MakeVerses(3, 0);
    bool exposed = false;
    const int result = RunEditor(list, [&](CVerseEditDlg &dlg) {
        exposed = QTest::qWaitForWindowExposed(&dlg);
        QWidget *edit = dlg.GetDlgItem(field);
        edit->setFocus();
        TypeAtEnd(edit, "x");
        QTest::keyClick(edit, Qt::Key_Return);
    });
    QVERIFY(exposed);
    QCOMPARE(result, IDOK);
    VerseList expected = MakeVerses(3, 0);
    ArrayOf(expected, field)[0] += "x"; // and no line break
    QCOMPARE(list, expected);
}

void TestVerseEditorEdit::language_choosesTipsAndQuestionOnly_data()
{
    QTest::addColumn<int>("czech");
    QTest::addColumn<QStringList>("tips");
    QTest::addColumn<QString>("question");
    QTest::newRow("English") << 0
                             << QStringList{"First", "Previous", "Next", "Last", "Add empty verse", "Delete verse"}
                             << "Do you really want to delete the verse?";
    QTest::newRow("Czech") << 1
                           << QStringList{"První", "Předchozí", "Další", "Poslední", "Vložit prázdný verš",
                                          "Vymazat verš"}
                           << "Skutečně vymazat tento verš?";
}

void TestVerseEditorEdit::language_choosesTipsAndQuestionOnly()
{
    QFETCH(int, czech);
    QFETCH(QStringList, tips);
    QFETCH(QString, question);
    MessageBoxScript boxes(IDNO);
    VerseList list = MakeVerses(2);
    RunEditor(list, [&](CVerseEditDlg &dlg) {
        QCOMPARE(dlg.m_bCzech, czech);
        QStringList shown;
        for (int id : {IDC_FIRST, IDC_PREV, IDC_NEXT, IDC_LAST, IDC_NEW, IDC_DELETE})
            shown << dlg.m_pToolTip->ToolText(dlg.GetDlgItem(id));
        QCOMPARE(shown, tips);
        QCOMPARE(dlg.windowTitle(), QStringLiteral("Edit verses"));
        QCOMPARE(Text(dlg, IDOK), QStringLiteral("Exit"));
        QCOMPARE(Text(dlg, IDC_DELETE), QStringLiteral("Delete"));
        QStringList labels;
        for (QLabel *label : dlg.findChildren<QLabel *>())
            labels << label->text();
        QVERIFY(labels.contains(QStringLiteral("Contents of the verse:")));
        Click(dlg, IDC_DELETE);
    }, czech);
    QCOMPARE(boxes.shown.size(), 1);
    QCOMPARE(boxes.shown[0].text, question);
    QCOMPARE(boxes.shown[0].type, MB_YESNO | MB_ICONQUESTION);
}

// The application's filter feeds the tips with the events of the editor and
// its children, from the opening until the window is gone.
void TestVerseEditorEdit::relay_onlyTheEditorsEventsWhileOpen()
{
    theApp.InstallMessageFilter();
    QPushButton outside(QStringLiteral("First"));
    VerseList list = MakeVerses(2);
    CVerseEditDlg dlg;
    HandOver(dlg, list);
    QTimer::singleShot(0, &dlg, [&] {
        QCOMPARE(theApp.m_pToolTip, dlg.m_pToolTip);
        QCOMPARE(theApp.m_hwndToolDialog, static_cast<QWidget *>(&dlg));
        Enter(dlg.GetDlgItem(IDC_NEXT));
        QCOMPARE(dlg.m_pToolTip->CurrentTip(), QStringLiteral("Next"));
        Enter(&outside); // relayed, it would end the tip
        QCOMPARE(dlg.m_pToolTip->CurrentTip(), QStringLiteral("Next"));
        QTest::keyClick(&dlg, Qt::Key_Escape);
    });
    QCOMPARE(dlg.DoModal(), IDCANCEL);
    QCOMPARE(theApp.m_pToolTip, nullptr);
    QCOMPARE(theApp.m_hwndToolDialog, nullptr);
    Enter(dlg.GetDlgItem(IDC_PREV));
    QCOMPARE(dlg.m_pToolTip->CurrentTip(), QString()); // the editor still owns it

    // Run again, the same editor registers its tips again.
    CToolTipCtrl *registered = nullptr;
    QTimer::singleShot(0, &dlg, [&] {
        registered = theApp.m_pToolTip;
        dlg.EndDialog(IDOK);
    });
    dlg.DoModal();
    QCOMPARE(registered, dlg.m_pToolTip);
    QCOMPARE(theApp.m_pToolTip, nullptr);
}

QTEST_MAIN(TestVerseEditorEdit)
#include "tst_verse_editor_edit.moc"
