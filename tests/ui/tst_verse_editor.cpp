// The verse editor: moves, add and delete, edits stored at once and kept, input the
// verse file cannot hold refused, over-long fields, buttons and counter.
#include "DialogTestSupport.h"
#include "platform/MessageBeep.h"
#include "tst_verse_editor_support.h"
#include "ui/editor/EditorTexts.h"
#include "ui/main/DisplayText.h"

#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {

QList<QByteArray> &ArrayOf(VerseList &list, int field)
{
    return field == IDC_TITLE ? list.m_arrTitles : field == IDC_NUMBER ? list.m_arrNumbers : list.m_arrContents;
}

void Click(CDialog &dlg, int id)
{
    QTest::mouseClick(dlg.GetDlgItem(id), Qt::LeftButton);
}

void Type(QWidget *field, const QString &text)
{
    for (QChar c : text)
        QTest::sendKeyEvent(QTest::Click, field, Qt::Key_unknown, QString(c), Qt::NoModifier);
}

// Types key by key (any character, unlike QTest::keyClicks) or pastes at the end.
void TypeAtEnd(QWidget *field, const QString &text, bool paste = false)
{
    QTest::keyClick(field, Qt::Key_End);
    QTest::keyClick(field, Qt::Key_End, Qt::ControlModifier);
    if (paste) {
        QApplication::clipboard()->setText(text);
        QTest::keyClick(field, Qt::Key_V, Qt::ControlModifier);
        return;
    }
    Type(field, text);
}

// Opened on count verses at current, a button pressed (negative: by Enter), any
// question answered; then the index, the counter and the title.
struct Command
{
    int count, current, button, answer, index;
    QString counter, title;
};

// Input typed or pasted at the end of a field, then the editor closed in a
// way; what the field then shows, and the bytes the list holds for it.
struct Edit
{
    int field;
    QString way;
    bool cp1250, paste;
    QString input, stored;
    QByteArray bytes;
    int beeps;
};

} // namespace

Q_DECLARE_METATYPE(Command)
Q_DECLARE_METATYPE(Edit)

class TestVerseEditor : public QObject
{
    Q_OBJECT

private slots:
    void cleanup() { VerifyNoWindowLeftOpen(); }

    void commands_data()
    {
        QTest::addColumn<Command>("c");
        QTest::newRow("open on 3 of 17") << Command{17, 2, 0, IDNO, 2, "3/17", "Title 2"};
        QTest::newRow("open past the end") << Command{3, 7, 0, IDNO, 2, "3/3", "Title 2"};
        QTest::newRow("next on the last") << Command{10, 9, IDC_NEXT, IDNO, 9, "10/10", "Title 9"};
        QTest::newRow("prev on the first") << Command{10, 0, IDC_PREV, IDNO, 0, "1/10", "Title 0"};
        QTest::newRow("Enter on Next") << Command{10, 4, -IDC_NEXT, IDNO, 5, "6/10", "Title 5"};
        QTest::newRow("first") << Command{10, 4, IDC_FIRST, IDNO, 0, "1/10", "Title 0"};
        for (int button : {IDC_FIRST, IDC_PREV, IDC_NEXT, IDC_LAST}) {
            QTest::addRow("one verse, %d", button) << Command{1, 0, button, IDNO, 0, "1/1", "Title 0"};
            QTest::addRow("empty, %d", button) << Command{0, -1, button, IDNO, -1, "0/0", ""};
        }
        QTest::newRow("Enter on New") << Command{10, 2, -IDC_NEW, IDNO, 10, "11/11", ""};
        QTest::newRow("new on empty") << Command{0, -1, IDC_NEW, IDNO, 0, "1/1", ""};
        QTest::newRow("delete answered No") << Command{5, 3, IDC_DELETE, IDNO, 3, "4/5", "Title 3"};
        QTest::newRow("delete in the middle") << Command{10, 4, IDC_DELETE, IDYES, 4, "5/9", "Title 5"};
        QTest::newRow("Enter on Delete the last") << Command{10, 9, -IDC_DELETE, IDYES, 8, "9/9", "Title 8"};
        QTest::newRow("delete the only, its text stays") << Command{1, 0, IDC_DELETE, IDYES, -1, "0/0", "Title 0"};
    }
    void commands()
    {
        QFETCH(Command, c);
        // Named copies, not a structured binding: clang-tidy's clang cannot capture one.
        const int count = c.count, current = c.current, button = c.button, answer = c.answer, index = c.index;
        const QString counter = c.counter, title = c.title;
        MessageBoxScript boxes(answer);
        int beeps = 0;
        BeepSeam::SetHandler([&beeps](unsigned) { ++beeps; });
        const auto quiet = qScopeGuard([] { BeepSeam::Reset(); });
        VerseList list = MakeVerses(count, current);
        VerseList expected = list; // shares the bytes: only a store would make new ones
        RunEditor(list, [&](CVerseEditDlg &dlg) {
            if (button) { // Enter presses that button, not the default one
                QWidget *pressed = dlg.GetDlgItem(qAbs(button));
                pressed->setFocus();
                button > 0 ? QTest::mouseClick(pressed, Qt::LeftButton) : QTest::keyClick(pressed, Qt::Key_Return);
                QVERIFY(dlg.isVisible());
            }
            QCOMPARE(dlg.GetDlgItemText(IDC_COUNTER), counter);
            QCOMPARE(dlg.GetDlgItemText(IDC_TITLE), title);
            for (int id : {IDC_TITLE, IDC_NUMBER}) // a filled field shows the start of its text
                QCOMPARE(qobject_cast<QLineEdit *>(dlg.GetDlgItem(id))->cursorPosition(), 0);
            if (index < 0) { // no verse, though the fields may show one: no question, every change refused
                const QString contents = dlg.GetDlgItemText(IDC_CONTENTS);
                Click(dlg, IDC_DELETE);
                TypeAtEnd(dlg.GetDlgItem(IDC_TITLE), "x");
                QTest::keyClick(dlg.GetDlgItem(IDC_TITLE), Qt::Key_Backspace);
                TypeAtEnd(dlg.GetDlgItem(IDC_CONTENTS), "#", true);
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
        for (int i = 0; i < qMin(count, expected.m_nVerseCount); ++i) // moves stored nothing
            QVERIFY(list.m_arrTitles[i].isSharedWith(expected.m_arrTitles[i]));
        QCOMPARE(boxes.shown.size(), qAbs(button) == IDC_DELETE ? 1 : 0);
        QCOMPARE(beeps, index < 0 ? 2 + !title.isEmpty() : 0);
    }

    void edit_data()
    {
        QTest::addColumn<Edit>("e");
        const auto row = [](const char *name, const Edit &e) { QTest::newRow(name) << e; };
        row("Escape", {IDC_CONTENTS, "escape", false, false, " x", "Text 1. x", "Text 1. x", 0});
        row("close box", {IDC_NUMBER, "close", false, false, " x", "Ref 1 x", "Ref 1 x", 0});
        row("Enter in title", {IDC_TITLE, "enter", false, false, "$$", "Title 1$$", "Title 1$$", 0});
        row("Enter in reference", {IDC_NUMBER, "enter", false, false, "$$$", "Ref 1$$$", "Ref 1$$$", 0});
        row("Enter in text", {IDC_CONTENTS, "enter", false, true, "\nm $$$", "Text 1.\nm $$$", "Text 1.\nm $$$", 0});
        row("lines joined", {IDC_TITLE, "exit", false, true, "a\r\nb\nc", "Title 1a b c", "Title 1a b c", 0});
        row("UTF-8", {IDC_TITLE, "exit", false, true, "ž", "Title 1ž", "Title 1\xC5\xBE", 0});
        row("Windows-1250", {IDC_CONTENTS, "exit", true, true, "ž\u00A0.", "Text 1.ž\u00A0.", "Text 1.\x9E\xA0.", 0});
        row("refused $$$", {IDC_TITLE, "exit", false, false, "$$$", "Title 1$$", "Title 1$$", 1});
        row("refused #", {IDC_CONTENTS, "exit", false, false, "a#", "Text 1.a", "Text 1.a", 1});
        row("refused Ж", {IDC_TITLE, "exit", true, false, "Ж", "Title 1", "Title 1", 1});
    }

    // Every edit is stored at once, unless the file could not hold it: then a
    // beep, and field and element stay as they were. Moves and closing keep it.
    void edit()
    {
        QFETCH(Edit, e);
        const int field = e.field, beeps = e.beeps;
        const QString way = e.way, input = e.input, stored = e.stored;
        const QByteArray bytes = e.bytes;
        const TextEncoding encoding(e.cp1250 ? TextEncoding::Kind::Windows1250 : TextEncoding::Kind::Utf8);
        int beeped = 0;
        BeepSeam::SetHandler([&beeped](unsigned) { ++beeped; });
        const auto quiet = qScopeGuard([] { BeepSeam::Reset(); });
        VerseList list = MakeVerses(3, 1);
        VerseList expected = MakeVerses(3, 1);
        ArrayOf(expected, field)[1] = bytes + "z";
        bool closed = false;
        const auto act = [&](CVerseEditDlg &dlg) {
            QVERIFY(QTest::qWaitForWindowExposed(&dlg));
            QWidget *edit = dlg.GetDlgItem(field);
            TypeAtEnd(edit, input, e.paste);
            QCOMPARE(dlg.GetDlgItemText(field), stored);
            QCOMPARE(ArrayOf(list, field)[1], bytes);
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
        };
        const int closedWith = RunEditor(list, act, encoding);
        QVERIFY(closed);
        QCOMPARE(closedWith, way == "escape" || way == "close" ? IDCANCEL : IDOK);
        QCOMPARE(beeped, beeps);
        QCOMPARE(list, expected);
    }

    // A title longer than is shown is cut and read-only, and an edit of
    // another field keeps it whole; the next verse's title is editable again.
    void overLongField_shownCutReadOnlyAndKept()
    {
        for (const int length : {int(kMaxShownChars), int(kMaxShownChars) + 1}) {
            VerseList list = MakeVerses(2);
            const QByteArray huge(length, 'L');
            list.m_arrTitles[0] = huge;
            RunEditor(list, [&](CVerseEditDlg &dlg) {
                QWidget *title = dlg.GetDlgItem(IDC_TITLE);
                QCOMPARE(dlg.GetDlgItemText(IDC_TITLE) == QString::fromLatin1(huge), length == kMaxShownChars);
                QCOMPARE(title->property("readOnly").toBool(), length > kMaxShownChars);
                TypeAtEnd(dlg.GetDlgItem(IDC_CONTENTS), " Amen");
                QCOMPARE(list.m_arrContents[0], QByteArray("Text 0. Amen"));
                QCOMPARE(list.m_arrTitles[0], huge);
                Click(dlg, IDC_NEXT);
                QVERIFY(!title->property("readOnly").toBool());
            });
        }
    }

    // The buttons show their pictures; six-digit counts fit between Delete and
    // Exit, on the buttons' centre line.
    void buttons_picturesAndCounterPlace()
    {
        VerseList list = MakeVerses(2);
        RunEditor(list, [&](CVerseEditDlg &dlg) {
            for (int id : {IDC_FIRST, IDC_PREV, IDC_NEXT, IDC_LAST, IDC_NEW, IDC_DELETE}) // sized to the picture
                QCOMPARE(dlg.GetDlgItem(id)->size(), QSize(24, 22));
            auto *counter = qobject_cast<QLabel *>(dlg.GetDlgItem(IDC_COUNTER));
            const QRect room = counter->geometry();
            QVERIFY(counter->fontMetrics().horizontalAdvance(CounterText(999998, 999999)) <= room.width());
            QVERIFY(room.left() > dlg.GetDlgItem(IDC_DELETE)->geometry().right());
            QVERIFY(room.right() < dlg.GetDlgItem(IDOK)->geometry().left());
            QCOMPARE(room.center().y(), dlg.GetDlgItem(IDC_DELETE)->geometry().center().y());
            QCOMPARE(counter->alignment(), Qt::AlignCenter);
        });
    }

    // Finding a verse: steps, each in the editor or in the find box, then the verse shown, the
    // box's word, whether it is open, and the beeps.
    void find_data()
    {
        QTest::addColumn<QStringList>("steps");
        QTest::addColumn<int>("index");
        QTest::addColumn<QString>("result");
        QTest::addColumn<bool>("boxOpen");
        QTest::addColumn<int>("beeps");
        const auto row = [](const char *name, const QStringList &steps, int index, const QString &result, bool open,
                            int beeps) { QTest::newRow(name) << steps << index << result << open << beeps; };
        row("Ctrl+F, words, Enter: the next verse holding them", {"find:TEXT 3", "enter"}, 3, "", true, 0);
        row("F3 in the editor finds the next", {"find:title", "editor f3"}, 2, "", true, 0);
        row("Shift+F3 goes back, round past the start", {"find:ref", "shift+f3", "shift+f3"}, 4, "", true, 0);
        row("Find previous, then Enter finds the next again", {"find:Ref", "previous", "enter"}, 1, "", true, 0);
        row("nothing found: a beep, and the editor stays", {"find:psalm", "enter"}, 1, "Not found", true, 1);
        row("Escape closes the box alone", {"find:text 4", "enter", "escape"}, 4, "", false, 0);
        row("an edit is found at once", {"type:zebra", "next", "find:ZEBRA", "enter"}, 1, "", true, 0);
    }
    void find()
    {
        QFETCH(QStringList, steps);
        QFETCH(int, index);
        QFETCH(QString, result);
        QFETCH(bool, boxOpen);
        QFETCH(int, beeps);
        int beeped = 0;
        BeepSeam::SetHandler([&beeped](unsigned) { ++beeped; });
        const auto quiet = qScopeGuard([] { BeepSeam::Reset(); });
        VerseList list = MakeVerses(5, 1);
        RunEditor(list, [&](CVerseEditDlg &dlg) {
            QVERIFY(QTest::qWaitForWindowActive(&dlg));
            QWidget *box = nullptr;
            for (const QString &step : steps) {
                if (step.startsWith("find:")) {
                    QTest::keyClick(&dlg, Qt::Key_F, Qt::ControlModifier);
                    box = dlg.findChild<QDialog *>();
                    QVERIFY(box && box->isVisible());
                    QTest::keyClicks(box->focusWidget(), step.sliced(5));
                } else if (step.startsWith("type:")) {
                    TypeAtEnd(dlg.GetDlgItem(IDC_TITLE), step.sliced(5));
                } else if (step == "next") {
                    Click(dlg, IDC_NEXT);
                } else if (step == "editor f3") {
                    QTest::keyClick(dlg.GetDlgItem(IDC_CONTENTS), Qt::Key_F3);
                } else if (step == "previous") {
                    if (!box)
                        QFAIL("no find box open");
                    for (QPushButton *button : box->findChildren<QPushButton *>())
                        if (button->text() == "Find &previous")
                            QTest::mouseClick(button, Qt::LeftButton);
                } else {
                    if (!box)
                        QFAIL("no find box open");
                    const Qt::Key key = step == "enter"    ? Qt::Key_Return
                                        : step == "escape" ? Qt::Key_Escape
                                                           : Qt::Key_F3;
                    QTest::keyClick(box->focusWidget(), key, step == "shift+f3" ? Qt::ShiftModifier : Qt::NoModifier);
                }
            }
            QCOMPARE(dlg.m_nCurrent, index);
            QCOMPARE(dlg.GetDlgItemText(IDC_COUNTER), QString::number(index + 1) + "/5");
            QVERIFY(dlg.isVisible());
            QVERIFY(box);
            QCOMPARE(box->isVisible(), boxOpen);
            for (QLabel *label : box->findChildren<QLabel *>())
                if (label->accessibleName() == "Result")
                    QCOMPARE(label->text(), result);
            QCOMPARE(box->findChild<QLineEdit *>()->accessibleName(), QStringLiteral("Find")); // for a screen reader
        });
        QCOMPARE(beeped, beeps);
    }
};

QTEST_MAIN(TestVerseEditor)
#include "tst_verse_editor.moc"
