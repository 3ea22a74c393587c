#include "DialogTestSupport.h"
#include "app/CLumeraApp.h"
#include "platform/CToolTipCtrl.h"
#include "tst_verse_editor_support.h"
#include "ui/main/CLumeraDlg.h"

#include <QAccessible>
#include <QEnterEvent>
#include <QMenu>

// What a screen reader learns of the main dialog and the editor: every control
// has a name a listener understands, and every command can be reached from
// the keyboard. (The about box's links, as
// a reader sees them, are tested with the links.)
class TestAccessibility : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QAccessible::setActive(true); }
    void cleanup() { VerifyNoWindowLeftOpen(); }
    void mainDialog_namesAndMenuKeys();
    void editor_namesFromLabelsAndTips();
    void editor_tipOfTheButtonUnderThePointer();
};

namespace {

QString NameOf(QWidget *widget)
{
    QAccessibleInterface *iface = QAccessible::queryAccessibleInterface(widget);
    return iface ? iface->text(QAccessible::Name) : QString();
}

// Every control has a name; the listed ones have the names given.
void CheckNames(CDialog &dlg, const QList<QPair<int, QString>> &names)
{
    for (QWidget *control : dlg.Controls())
        QVERIFY2(!NameOf(control).isEmpty(), qPrintable(control->metaObject()->className()));
    for (const auto &[id, name] : names)
        QCOMPARE(NameOf(dlg.GetDlgItem(id)), name);
}

} // namespace

void TestAccessibility::mainDialog_namesAndMenuKeys()
{
    WorkFolder folder;
    folder.Write("Lumera.ini", "FILE=v.niv\r\n");
    folder.Write("v.niv", "Love\r\n1 John 4:8\r\nGod is love.\r\n#\r\n$$$\r\n");
    MessageBoxScript boxes;
    CLumeraDlg dlg;
    RunModal(dlg, [&] {
        CheckNames(dlg, {{IDC_TITLE, "Title"},
                         {IDC_NUMBER, "Reference"},
                         {IDC_CONTENTS, "Verse"},
                         {IDC_LICPICT, "Edition information"},
                         {IDC_ANOTHER, "Another"}});
        // The window menu, with the editor and the about box, opens from the keyboard.
        for (Qt::Key key : {Qt::Key_F10, Qt::Key_Menu}) {
            QTest::keyClick(dlg.GetDlgItem(IDOK), key, key == Qt::Key_F10 ? Qt::ShiftModifier : Qt::NoModifier);
            QVERIFY2(dlg.WindowMenu()->isVisible(), key == Qt::Key_F10 ? "Shift+F10" : "Menu key");
            dlg.WindowMenu()->close();
        }
    });
}

void TestAccessibility::editor_namesFromLabelsAndTips()
{
    VerseList list = MakeVerses(3, 1);
    RunEditor(list, [](CVerseEditDlg &dlg) {
        CheckNames(dlg, {{IDC_TITLE, "Title of the verse"},
                         {IDC_NUMBER, "Number of the verse"},
                         {IDC_CONTENTS, "Contents of the verse"},
                         {IDC_FIRST, "First"},
                         {IDC_PREV, "Previous"},
                         {IDC_NEXT, "Next"},
                         {IDC_LAST, "Last"},
                         {IDC_NEW, "Add empty verse"},
                         {IDC_DELETE, "Delete verse"},
                         {IDC_COUNTER, "Verse 2 of 3"}});
        for (int id : {IDC_FIRST, IDC_PREV, IDC_NEXT, IDC_LAST, IDC_NEW, IDC_DELETE})
            QVERIFY(dlg.GetDlgItem(id)->focusPolicy() & Qt::TabFocus);
        QTest::mouseClick(dlg.GetDlgItem(IDC_NEXT), Qt::LeftButton);
        QCOMPARE(NameOf(dlg.GetDlgItem(IDC_COUNTER)), QStringLiteral("Verse 3 of 3"));
    });
}

// The pointer resting on one of the editor's buttons: the button's own events
// reach the editor's tips through the application's message filter, and its
// tip shows. Once the editor has closed, nothing is relayed to it.
void TestAccessibility::editor_tipOfTheButtonUnderThePointer()
{
    theApp.InstallMessageFilter();
    VerseList list = MakeVerses(3, 1);
    RunEditor(list, [](CVerseEditDlg &dlg) {
        CToolTipCtrl *tips = AfxGetApp()->m_pToolTip;
        QVERIFY(tips);
        tips->SetDelay(0);
        const QList<std::pair<int, QString>> expected{{IDC_FIRST, "First"},         {IDC_PREV, "Previous"},
                                                      {IDC_NEXT, "Next"},           {IDC_LAST, "Last"},
                                                      {IDC_NEW, "Add empty verse"}, {IDC_DELETE, "Delete verse"}};
        for (const auto &[id, tip] : expected) {
            QWidget *button = dlg.GetDlgItem(id);
            const QPointF inside(2, 2);
            QEnterEvent enter(inside, inside, button->mapToGlobal(inside));
            QCoreApplication::sendEvent(button, &enter);
            QCOMPARE(tips->CurrentTool(), button);
            QCOMPARE(tips->CurrentTip(), tip);
            QTRY_VERIFY(tips->IsTipShown());
            QEvent leave(QEvent::Leave);
            QCoreApplication::sendEvent(button, &leave);
            QCOMPARE(tips->CurrentTool(), nullptr);
        }
    });
    QCOMPARE(AfxGetApp()->m_pToolTip, nullptr);
    QCOMPARE(AfxGetApp()->m_hwndToolDialog, nullptr);
}

QTEST_MAIN(TestAccessibility)
#include "tst_accessibility.moc"
