// The verse editor: moves, add and delete, edits stored at once and kept, input the
// verse file cannot hold refused, tips and their relay, and the file rewritten.
#include "DialogTestSupport.h"
#include "data/VerseFile.h"
#include "platform/CBitmapButton.h"
#include "platform/CToolTipCtrl.h"
#include "platform/MessageBeep.h"
#include "tst_verse_editor_support.h"
#include "ui/editor/EditorTexts.h"
#include "ui/main/CLumeraDlg.h"
#include "ui/main/DisplayText.h"

#include <QApplication>
#include <QClipboard>
#include <QEnterEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

class TestVerseEditor : public QObject
{
    Q_OBJECT

private slots:
    void commands_data();
    void commands();
    void edit_data();
    void edit();
    void buttons_imagesTipsAndQuestion_data();
    void buttons_imagesTipsAndQuestion();
    void relay_onlyTheEditorsEventsWhileOpen();
    void fromMainWindow_reachesRewrittenFile_data();
    void fromMainWindow_reachesRewrittenFile();
};

namespace {

const int kButtons[] = {IDC_FIRST, IDC_PREV, IDC_NEXT, IDC_LAST, IDC_NEW, IDC_DELETE};

QList<QByteArray> &ArrayOf(VerseList &list, int field)
{
    return field == IDC_TITLE ? list.m_arrTitles : field == IDC_NUMBER ? list.m_arrNumbers : list.m_arrContents;
}

void Click(CDialog &dlg, int id)
{
    QTest::mouseClick(dlg.GetDlgItem(id), Qt::LeftButton);
}

// By the mouse, or for a negative id by Enter on the focused button: that
// button, not the default one, is pressed.
void Press(CDialog &dlg, int id)
{
    QWidget *button = dlg.GetDlgItem(qAbs(id));
    button->setFocus();
    id > 0 ? QTest::mouseClick(button, Qt::LeftButton) : QTest::keyClick(button, Qt::Key_Return);
    QVERIFY(dlg.isVisible());
}

// Types key by key; unlike QTest::keyClicks, any character.
void Type(QWidget *field, const QString &text)
{
    for (QChar c : text)
        QTest::sendKeyEvent(QTest::Click, field, Qt::Key_unknown, QString(c), Qt::NoModifier);
}

// End moves to the end of a one-line field, Ctrl+End to the end of the text.
void TypeAtEnd(QWidget *field, const QString &text)
{
    QTest::keyClick(field, Qt::Key_End);
    QTest::keyClick(field, Qt::Key_End, Qt::ControlModifier);
    Type(field, text);
}

void PasteAtEnd(QWidget *field, const QString &text)
{
    QApplication::clipboard()->setText(text);
    TypeAtEnd(field, {});
    QTest::keyClick(field, Qt::Key_V, Qt::ControlModifier);
}

void Enter(QWidget *widget)
{
    QEnterEvent event(QPointF(2, 2), QPointF(2, 2), widget->mapToGlobal(QPointF(2, 2)));
    QApplication::sendEvent(widget, &event);
}

class BeepCounter
{
public:
    BeepCounter() { BeepSeam::SetHandler([this](unsigned) { ++count; }); }
    ~BeepCounter() { BeepSeam::Reset(); }
    int count = 0;
};

} // namespace

void TestVerseEditor::commands_data()
{
    QTest::addColumn<int>("count");
    QTest::addColumn<int>("current");
    QTest::addColumn<int>("button"); // 0: just open
    QTest::addColumn<int>("answer");
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("counter");
    QTest::addColumn<QString>("title");
    QTest::newRow("open on 3 of 17") << 17 << 2 << 0 << IDNO << 2 << "3/17" << "Title 2";
    QTest::newRow("open empty") << 0 << -1 << 0 << IDNO << -1 << "0/0" << "";
    QTest::newRow("next on the last") << 10 << 9 << IDC_NEXT << IDNO << 9 << "10/10" << "Title 9";
    QTest::newRow("prev on the first") << 10 << 0 << IDC_PREV << IDNO << 0 << "1/10" << "Title 0";
    QTest::newRow("next") << 10 << 4 << IDC_NEXT << IDNO << 5 << "6/10" << "Title 5";
    QTest::newRow("first") << 10 << 4 << IDC_FIRST << IDNO << 0 << "1/10" << "Title 0";
    QTest::newRow("last") << 10 << 4 << IDC_LAST << IDNO << 9 << "10/10" << "Title 9";
    QTest::newRow("Enter on Next") << 10 << 4 << -IDC_NEXT << IDNO << 5 << "6/10" << "Title 5";
    for (int button : {IDC_FIRST, IDC_PREV, IDC_NEXT, IDC_LAST})
        QTest::addRow("empty, button %d", button) << 0 << -1 << button << IDNO << -1 << "0/0" << "";
    QTest::newRow("new at 3/10") << 10 << 2 << IDC_NEW << IDNO << 10 << "11/11" << "";
    QTest::newRow("new on empty") << 0 << -1 << IDC_NEW << IDNO << 0 << "1/1" << "";
    QTest::newRow("Enter on New") << 10 << 2 << -IDC_NEW << IDNO << 10 << "11/11" << "";
    QTest::newRow("delete answered No") << 5 << 3 << IDC_DELETE << IDNO << 3 << "4/5" << "Title 3";
    QTest::newRow("delete in the middle") << 10 << 4 << IDC_DELETE << IDYES << 4 << "5/9" << "Title 5";
    QTest::newRow("delete the last") << 10 << 9 << IDC_DELETE << IDYES << 8 << "9/9" << "Title 8";
    QTest::newRow("Enter on Delete") << 10 << 9 << -IDC_DELETE << IDYES << 8 << "9/9" << "Title 8";
    QTest::newRow("delete the only: its text stays") << 1 << 0 << IDC_DELETE << IDYES << -1 << "0/0" << "Title 0";
}

void TestVerseEditor::commands()
{
    QFETCH(int, count);
    QFETCH(int, current);
    QFETCH(int, button);
    QFETCH(int, answer);
    QFETCH(int, index);
    QFETCH(QString, counter);
    QFETCH(QString, title);
    MessageBoxScript boxes(answer);
    BeepCounter beeps;
    VerseList list = MakeVerses(count, current);
    VerseList expected = list; // shares the bytes: only a store would make new ones
    RunEditor(list, [&](CVerseEditDlg &dlg) {
        if (button)
            Press(dlg, button);
        QCOMPARE(dlg.GetDlgItemText(IDC_COUNTER), counter);
        QCOMPARE(dlg.GetDlgItemText(IDC_TITLE), title);
        for (int id : {IDC_TITLE, IDC_NUMBER}) // a filled field shows the start of its text
            QCOMPARE(qobject_cast<QLineEdit *>(dlg.GetDlgItem(id))->cursorPosition(), 0);
        if (index < 0) { // with no verse (the fields may still show one): no question, every change refused
            const QString contents = dlg.GetDlgItemText(IDC_CONTENTS);
            Click(dlg, IDC_DELETE);
            TypeAtEnd(dlg.GetDlgItem(IDC_TITLE), "x");
            QTest::keyClick(dlg.GetDlgItem(IDC_TITLE), Qt::Key_Backspace);
            PasteAtEnd(dlg.GetDlgItem(IDC_CONTENTS), "#");
            QCOMPARE(dlg.GetDlgItemText(IDC_TITLE), title);
            QCOMPARE(dlg.GetDlgItemText(IDC_CONTENTS), contents);
        }
    });
    if (qAbs(button) == IDC_NEW)
        expected.Append({}, {}, {});
    if (qAbs(button) == IDC_DELETE && answer == IDYES)
        expected.RemoveAt(current);
    expected.m_nCurrent = index;
    QCOMPARE(list, expected); // the caller gets back the count and the index
    for (int i = 0; i < qMin(count, expected.m_nVerseCount); ++i)
        QVERIFY(list.m_arrTitles[i].isSharedWith(expected.m_arrTitles[i])
                && list.m_arrNumbers[i].isSharedWith(expected.m_arrNumbers[i])
                && list.m_arrContents[i].isSharedWith(expected.m_arrContents[i]));
    QCOMPARE(boxes.shown.size(), qAbs(button) == IDC_DELETE ? 1 : 0);
    QCOMPARE(beeps.count, index < 0 ? 2 + !title.isEmpty() : 0);
}

void TestVerseEditor::edit_data()
{
    QTest::addColumn<int>("field");
    QTest::addColumn<QString>("way");
    QTest::addColumn<bool>("cp1250");
    QTest::addColumn<bool>("paste");
    QTest::addColumn<QString>("input");
    QTest::addColumn<QString>("stored");
    QTest::addColumn<int>("beeps");
    QTest::newRow("keystroke, Escape") << IDC_CONTENTS << "escape" << false << false << " x" << "Text 1. x" << 0;
    QTest::newRow("keystroke, close box") << IDC_NUMBER << "close" << false << false << " x" << "Ref 1 x" << 0;
    QTest::newRow("keystroke, Exit") << IDC_TITLE << "exit" << false << false << "#ž" << "Title 1#ž" << 0;
    QTest::newRow("Enter in title") << IDC_TITLE << "enter" << false << false << "$$" << "Title 1$$" << 0;
    QTest::newRow("Enter in reference") << IDC_NUMBER << "enter" << false << false << "$$$" << "Ref 1$$$" << 0;
    QTest::newRow("Enter in text") << IDC_CONTENTS << "enter" << false << true << "\nm $$$" << "Text 1.\nm $$$" << 0;
    QTest::newRow("lines into title") << IDC_TITLE << "exit" << false << true << "a\r\nb\nc" << "Title 1a b c" << 0;
    QTest::newRow("line into reference") << IDC_NUMBER << "exit" << false << true << "\n2" << "Ref 1 2" << 0;
    QTest::newRow("Windows-1250") << IDC_CONTENTS << "exit" << true << true << "ž\u00A0b" << "Text 1.ž\u00A0b" << 0;
    QTest::newRow("refused: typed $$$ in title") << IDC_TITLE << "exit" << false << false << "$$$" << "Title 1$$" << 1;
    QTest::newRow("refused: typed # in text") << IDC_CONTENTS << "exit" << false << false << "a#" << "Text 1.a" << 1;
    QTest::newRow("refused: pasted # in text") << IDC_CONTENTS << "exit" << false << true << "see #2" << "Text 1." << 1;
    QTest::newRow("refused: not in Windows-1250") << IDC_TITLE << "exit" << true << false << "Ж" << "Title 1" << 1;
}

// Every edit is stored at once, unless the file could not hold it: then a
// beep, and field and element stay as they were. Moves and closing keep it.
void TestVerseEditor::edit()
{
    QFETCH(int, field);
    QFETCH(QString, way);
    QFETCH(bool, cp1250);
    QFETCH(bool, paste);
    QFETCH(QString, input);
    QFETCH(QString, stored);
    QFETCH(int, beeps);
    const TextEncoding encoding(cp1250 ? TextEncoding::Kind::Windows1250 : TextEncoding::Kind::Utf8);
    BeepCounter beeped;
    VerseList list = MakeVerses(3, 1);
    VerseList expected = MakeVerses(3, 1);
    ArrayOf(expected, field)[1] = encoding.Encode(stored + "z").value_or("?");
    bool closed = false;
    const int closedWith = RunEditor(list, [&](CVerseEditDlg &dlg) {
        QVERIFY(QTest::qWaitForWindowExposed(&dlg));
        QWidget *edit = dlg.GetDlgItem(field);
        paste ? PasteAtEnd(edit, input) : TypeAtEnd(edit, input);
        QCOMPARE(dlg.GetDlgItemText(field), stored);
        QCOMPARE(ArrayOf(list, field)[1], encoding.Encode(stored).value_or("?"));
        Type(edit, "z"); // the caret stayed at the end
        Click(dlg, IDC_NEXT);
        Click(dlg, IDC_PREV);
        QCOMPARE(dlg.GetDlgItemText(field), stored + "z");
        edit->setFocus();
        if (way == "exit")
            Click(dlg, IDOK);
        else if (way == "close")
            dlg.close();
        else
            QTest::keyClick(edit, way == "enter" ? Qt::Key_Return : Qt::Key_Escape);
        closed = !dlg.isVisible();
    }, 0, encoding);
    QVERIFY(closed);
    QCOMPARE(closedWith, way == "escape" || way == "close" ? IDCANCEL : IDOK);
    QCOMPARE(beeped.count, beeps);
    QCOMPARE(list, expected);
}

void TestVerseEditor::buttons_imagesTipsAndQuestion_data()
{
    QTest::addColumn<int>("czech");
    QTest::addColumn<QStringList>("tips");
    QTest::addColumn<QString>("question");
    QTest::newRow("English") << 0 << QStringList{"First", "Previous", "Next", "Last", "Add empty verse", "Delete verse"}
                             << "Do you really want to delete the verse?";
    QTest::newRow("Czech") << 1
                           << QStringList{"První", "Předchozí", "Další", "Poslední",
                                          "Vložit prázdný verš", "Vymazat verš"}
                           << "Skutečně vymazat tento verš?";
}

void TestVerseEditor::buttons_imagesTipsAndQuestion()
{
    QFETCH(int, czech);
    QFETCH(QStringList, tips);
    QFETCH(QString, question);
    MessageBoxScript boxes(IDNO);
    VerseList list = MakeVerses(2);
    RunEditor(list, [&](CVerseEditDlg &dlg) {
        QStringList shown;
        for (int id : kButtons) {
            auto *button = qobject_cast<CBitmapButton *>(dlg.GetDlgItem(id));
            QVERIFY(button && button->UpBitmap().toImage() != button->DownBitmap().toImage());
            QCOMPARE(button->size(), QSize(24, 22));
            shown << dlg.m_pToolTip->ToolText(button);
        }
        QCOMPARE(shown, tips);
        QCOMPARE(dlg.windowTitle(), QStringLiteral("Edit verses")); // English whatever the flag
        // Six-digit counts fit between Delete and Exit, on the buttons' centre line.
        auto *counter = qobject_cast<QLabel *>(dlg.GetDlgItem(IDC_COUNTER));
        const QRect room = counter->geometry();
        QVERIFY(counter->fontMetrics().horizontalAdvance(CounterText(999998, 999999)) <= room.width());
        QVERIFY(room.left() > dlg.m_btnDelete->geometry().right());
        QVERIFY(room.right() < dlg.GetDlgItem(IDOK)->geometry().left());
        QCOMPARE(room.center().y(), dlg.m_btnDelete->geometry().center().y());
        QCOMPARE(counter->alignment(), Qt::AlignCenter);
        Click(dlg, IDC_DELETE);
    }, czech);
    QCOMPARE(boxes.shown.size(), 1);
    QCOMPARE(boxes.shown[0].text, question);
    QCOMPARE(boxes.shown[0].type, MB_YESNO | MB_ICONQUESTION);
}

// The application's filter feeds the tips with the events of the editor and
// its children, from the opening until the window is gone, on every run.
void TestVerseEditor::relay_onlyTheEditorsEventsWhileOpen()
{
    theApp.InstallMessageFilter();
    QPushButton outside(QStringLiteral("First"));
    VerseList list = MakeVerses(2);
    CVerseEditDlg dlg;
    HandOver(dlg, list);
    for (int run = 0; run < 2; ++run) {
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
        QCOMPARE(dlg.m_pToolTip->CurrentTip(), QString());
    }
}

void TestVerseEditor::fromMainWindow_reachesRewrittenFile_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<int>("button");
    QTest::addColumn<int>("field");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("shown"); // the main window's title afterwards
    QTest::addColumn<QByteArray>("saved");
    const QByteArray three = "One\nRef 1\nFirst text.\n#\nTwo\nRef 2\nSecond text.\n#\n"
                             "Three\nRef 3\nThird text.\n#\n$$$\n";
    QTest::newRow("keystroke, then Escape") << three << IDC_LAST << IDC_CONTENTS << "Amen" << "Three"
        << QByteArray(three).replace("Third text.", "Third text. Amen").replace("\n", "\r\n");
    QTest::newRow("delete the only verse") << QByteArray("Only\nRef\nText\n#\n$$$\n") << IDC_DELETE << IDC_TITLE
                                           << "" << "" << QByteArray("$$$\r\n");
    const QByteArray huge(kMaxShownChars + 100, 'L'); // shown cut, read-only, stored whole
    QTest::newRow("over-long title") << huge + "\nR\nT\n#\n$$$\n" << 0 << IDC_TITLE << "Amen"
                                     << ForDisplay(QString::fromLatin1(huge)) << huge + "\r\nR\r\nT\r\n#\r\n$$$\r\n";
    QTest::newRow("Windows-1250 file") << QByteArray("L\xE1ska\r\nJan 3,16\r\n\x8Eivot\r\n#\r\n$$$\r\n") << 0
                                       << IDC_TITLE << "řЖ" << "Láskař"
                                       << QByteArray("L\xE1ska\xF8\r\nJan 3,16\r\n\x8Eivot\r\n#\r\n$$$\r\n");
}

// "Edit verses" from the window menu; the main window takes back the editor's
// count and index, rewrites the file and shows the editor's last verse.
void TestVerseEditor::fromMainWindow_reachesRewrittenFile()
{
    QFETCH(QByteArray, file);
    QFETCH(int, button);
    QFETCH(int, field);
    QFETCH(QString, typed);
    QFETCH(QString, shown);
    QFETCH(QByteArray, saved);
    WorkFolder folder;
    folder.Write("Lumera.ini", "FILE=verses.niv\r\n");
    folder.Write("verses.niv", file);
    MessageBoxScript boxes(IDYES);
    CLumeraDlg dlg;
    theApp.m_pMainWnd = &dlg;
    QTimer::singleShot(0, &dlg, [&] {
        QTimer::singleShot(0, &dlg, [&] {
            auto *editor = dlg.findChild<CVerseEditDlg *>();
            QVERIFY(editor && editor->isVisible());
            if (button)
                Click(*editor, button);
            TypeAtEnd(editor->GetDlgItem(field), typed);
            QTest::keyClick(editor, Qt::Key_Escape);
        });
        dlg.OnSysCommand(IDM_VERSE_EDITOR);
        dlg.EndDialog(IDOK);
        QCOMPARE(dlg.GetDlgItemText(IDC_TITLE), shown);
    });
    dlg.DoModal();
    theApp.m_pMainWnd = nullptr;
    QCOMPARE(folder.Read("verses.niv"), saved);
    QCOMPARE(boxes.shown.size(), button == IDC_DELETE ? 1 : 0);
}

QTEST_MAIN(TestVerseEditor)
#include "tst_verse_editor.moc"
