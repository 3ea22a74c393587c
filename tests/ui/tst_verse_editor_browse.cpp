// Opening the verse editor, moving through the verses, adding and deleting.
#include "DialogTestSupport.h"
#include "platform/CBitmapButton.h"
#include "tst_verse_editor_support.h"

class TestVerseEditorBrowse : public QObject
{
    Q_OBJECT

private slots:
    void open_showsVerseAndCounter_data();
    void open_showsVerseAndCounter();
    void bitmapButtons_loadedFromCaptionAndSizedToImage();
    void move_noWrapAround_data();
    void move_noWrapAround();
    void move_neverStores();
    void new_appendsEmptyVerseAtEnd_data();
    void new_appendsEmptyVerseAtEnd();
    void delete_onYesOnly_showsNeighbour_data();
    void delete_onYesOnly_showsNeighbour();
    void emptyList_buttonsAndTypingLeaveArraysAlone();
};

namespace {

QString TitleOf(int index)
{
    return index < 0 ? QString() : QStringLiteral("Title %1").arg(index);
}

} // namespace

void TestVerseEditorBrowse::open_showsVerseAndCounter_data()
{
    QTest::addColumn<int>("count");
    QTest::addColumn<int>("current");
    QTest::addColumn<QString>("counter");
    QTest::newRow("third of 17") << 17 << 2 << "3/17";
    QTest::newRow("last of 10") << 10 << 9 << "10/10";
    QTest::newRow("empty list") << 0 << -1 << "0/0";
}

void TestVerseEditorBrowse::open_showsVerseAndCounter()
{
    QFETCH(int, count);
    QFETCH(int, current);
    QFETCH(QString, counter);
    VerseList list = MakeVerses(count, current);
    RunEditor(list, [&](CVerseEditDlg &dlg) {
        QCOMPARE(Text(dlg, IDC_COUNTER), counter);
        QCOMPARE(Text(dlg, IDC_TITLE), TitleOf(current));
        QCOMPARE(Text(dlg, IDC_NUMBER), current < 0 ? QString() : QStringLiteral("Ref %1").arg(current));
        QCOMPARE(Text(dlg, IDC_CONTENTS), current < 0 ? QString() : QStringLiteral("Text %1.").arg(current));
        QCOMPARE(dlg.focusWidget(), dlg.GetDlgItem(IDC_TITLE));
    });
    QCOMPARE(list, MakeVerses(count, current));
}

void TestVerseEditorBrowse::bitmapButtons_loadedFromCaptionAndSizedToImage()
{
    VerseList list = MakeVerses(3);
    RunEditor(list, [](CVerseEditDlg &dlg) {
        const std::pair<int, CBitmapButton *> buttons[] = {
            {IDC_FIRST, dlg.m_btnFirst}, {IDC_PREV, dlg.m_btnPrev}, {IDC_NEXT, dlg.m_btnNext},
            {IDC_LAST, dlg.m_btnLast}, {IDC_NEW, dlg.m_btnNew}, {IDC_DELETE, dlg.m_btnDelete}};
        for (const auto &[id, button] : buttons) {
            QCOMPARE(button, dlg.GetDlgItem(id));
            QVERIFY(!button->UpBitmap().isNull());
            QVERIFY(button->UpBitmap().toImage() != button->DownBitmap().toImage());
            QCOMPARE(button->size(), QSize(24, 22));
        }
    });
}

void TestVerseEditorBrowse::move_noWrapAround_data()
{
    QTest::addColumn<int>("count");
    QTest::addColumn<int>("start");
    QTest::addColumn<int>("button");
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("counter");
    QTest::newRow("next on the last stays") << 10 << 9 << IDC_NEXT << 9 << "10/10";
    QTest::newRow("prev on the first stays") << 10 << 0 << IDC_PREV << 0 << "1/10";
    QTest::newRow("next") << 10 << 4 << IDC_NEXT << 5 << "6/10";
    QTest::newRow("prev") << 10 << 4 << IDC_PREV << 3 << "4/10";
    QTest::newRow("first") << 10 << 4 << IDC_FIRST << 0 << "1/10";
    QTest::newRow("last") << 10 << 4 << IDC_LAST << 9 << "10/10";
    for (int button : {IDC_FIRST, IDC_PREV, IDC_NEXT, IDC_LAST})
        QTest::addRow("empty list, button %d", button) << 0 << -1 << button << -1 << "0/0";
}

void TestVerseEditorBrowse::move_noWrapAround()
{
    QFETCH(int, count);
    QFETCH(int, start);
    QFETCH(int, button);
    QFETCH(int, index);
    QFETCH(QString, counter);
    VerseList list = MakeVerses(count, start);
    RunEditor(list, [&](CVerseEditDlg &dlg) {
        Click(dlg, button);
        QCOMPARE(Text(dlg, IDC_COUNTER), counter);
        QCOMPARE(Text(dlg, IDC_TITLE), TitleOf(index));
    });
    QCOMPARE(list, MakeVerses(count, index));
}

// A store would put new bytes into the elements; showing a verse shares them.
void TestVerseEditorBrowse::move_neverStores()
{
    VerseList list = MakeVerses(5, 2);
    list.m_arrContents[3] = QByteArray("no-break\xA0space, \x9E" "ena"); // Windows-1250 bytes
    const VerseList before = list;
    RunEditor(list, [](CVerseEditDlg &dlg) {
        for (int id : {IDC_NEXT, IDC_NEXT, IDC_PREV, IDC_FIRST, IDC_LAST, IDC_PREV})
            Click(dlg, id);
        QCOMPARE(Text(dlg, IDC_CONTENTS), QStringLiteral("no-break\u00A0space, žena"));
    }, 0, TextEncoding(TextEncoding::Kind::Windows1250));
    for (int i = 0; i < 5; ++i) {
        QVERIFY(list.m_arrTitles[i].isSharedWith(before.m_arrTitles[i]));
        QVERIFY(list.m_arrNumbers[i].isSharedWith(before.m_arrNumbers[i]));
        QVERIFY(list.m_arrContents[i].isSharedWith(before.m_arrContents[i]));
    }
}

void TestVerseEditorBrowse::new_appendsEmptyVerseAtEnd_data()
{
    QTest::addColumn<int>("count");
    QTest::addColumn<int>("current");
    QTest::addColumn<QString>("counter");
    QTest::newRow("at 3/10") << 10 << 2 << "11/11";
    QTest::newRow("empty list") << 0 << -1 << "1/1";
}

void TestVerseEditorBrowse::new_appendsEmptyVerseAtEnd()
{
    QFETCH(int, count);
    QFETCH(int, current);
    QFETCH(QString, counter);
    VerseList list = MakeVerses(count, current);
    RunEditor(list, [&](CVerseEditDlg &dlg) {
        Click(dlg, IDC_NEW);
        QCOMPARE(Text(dlg, IDC_COUNTER), counter);
        for (int id : {IDC_TITLE, IDC_NUMBER, IDC_CONTENTS})
            QCOMPARE(Text(dlg, id), QString());
    });
    VerseList expected = MakeVerses(count);
    expected.Append({}, {}, {});
    expected.m_nCurrent = count; // the caller gets back count + 1 and index count
    QCOMPARE(list, expected);
}

void TestVerseEditorBrowse::delete_onYesOnly_showsNeighbour_data()
{
    QTest::addColumn<int>("answer");
    QTest::addColumn<int>("count");
    QTest::addColumn<int>("current");
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("counter");
    QTest::addColumn<QString>("titleShown");
    QTest::newRow("answered No") << IDNO << 5 << 3 << 3 << "4/5" << "Title 3";
    QTest::newRow("in the middle: the next moves up") << IDYES << 10 << 4 << 4 << "5/9" << "Title 5";
    QTest::newRow("the first") << IDYES << 10 << 0 << 0 << "1/9" << "Title 1";
    QTest::newRow("the last: the new last") << IDYES << 10 << 9 << 8 << "9/9" << "Title 8";
    QTest::newRow("the only: fields keep its text") << IDYES << 1 << 0 << -1 << "0/0" << "Title 0";
}

void TestVerseEditorBrowse::delete_onYesOnly_showsNeighbour()
{
    QFETCH(int, answer);
    QFETCH(int, count);
    QFETCH(int, current);
    QFETCH(int, index);
    QFETCH(QString, counter);
    QFETCH(QString, titleShown);
    MessageBoxScript boxes(answer);
    VerseList list = MakeVerses(count, current);
    RunEditor(list, [&](CVerseEditDlg &dlg) {
        Click(dlg, IDC_DELETE);
        QCOMPARE(Text(dlg, IDC_COUNTER), counter);
        QCOMPARE(Text(dlg, IDC_TITLE), titleShown);
    });
    VerseList expected = MakeVerses(count, index);
    if (answer == IDYES)
        expected.RemoveAt(current);
    QCOMPARE(list, expected);
    QCOMPARE(boxes.shown.size(), 1);
}

void TestVerseEditorBrowse::emptyList_buttonsAndTypingLeaveArraysAlone()
{
    MessageBoxScript boxes(IDYES);
    BeepCounter beeps;
    VerseList list = MakeVerses(1);
    RunEditor(list, [&](CVerseEditDlg &dlg) {
        Click(dlg, IDC_DELETE);
        QTest::keyClicks(dlg.GetDlgItem(IDC_CONTENTS), "more #");
        QTest::keyClicks(dlg.GetDlgItem(IDC_TITLE), "x");
        for (int id : {IDC_FIRST, IDC_PREV, IDC_DELETE, IDC_NEXT, IDC_LAST})
            Click(dlg, id);
        QCOMPARE(Text(dlg, IDC_COUNTER), QStringLiteral("0/0"));
        QCOMPARE(dlg.m_pTitles->size(), 0);
        Click(dlg, IDC_NEW);
        QTest::keyClicks(dlg.GetDlgItem(IDC_TITLE), "New");
    });
    QCOMPARE(boxes.shown.size(), 1); // no question without a verse
    QCOMPARE(beeps.count, 0);
    VerseList expected;
    expected.Append("New", {}, {});
    expected.m_nCurrent = 0;
    QCOMPARE(list, expected);
}

QTEST_MAIN(TestVerseEditorBrowse)
#include "tst_verse_editor_browse.moc"
