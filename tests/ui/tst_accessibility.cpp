#include "DialogTestSupport.h"
#include "tst_verse_editor_support.h"
#include "ui/about/CAboutDlg.h"
#include "ui/main/CLumeraDlg.h"

#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QDesktopServices>
#include <QLabel>
#include <QMenu>
#include <QUrl>

// What a screen reader learns of the three dialogs: every control has a name
// a listener understands, read-only fields give their text, links are links
// it can open, and every command can be reached from the keyboard.
class TestAccessibility : public QObject
{
    Q_OBJECT

public slots:
    void OpenUrl(const QUrl &url) { opened.append(url); }

private slots:
    void initTestCase() { QAccessible::setActive(true); }
    void mainDialog_namesAndText();
    void editor_namesFromLabelsAndTips();
    void aboutBox_linksAreLinksThatOpen();

private:
    QList<QUrl> opened;
};

namespace {

QAccessibleInterface *Accessible(QWidget *widget)
{
    return QAccessible::queryAccessibleInterface(widget);
}

QString NameOf(QWidget *widget)
{
    QAccessibleInterface *iface = Accessible(widget);
    return iface ? iface->text(QAccessible::Name) : QString();
}

void EveryControlIsNamed(CDialog &dlg)
{
    for (QWidget *control : dlg.Controls())
        QVERIFY2(!NameOf(control).isEmpty(), qPrintable(control->metaObject()->className()));
}

} // namespace

void TestAccessibility::mainDialog_namesAndText()
{
    WorkFolder folder;
    folder.Write("Lumera.ini", "FILE=v.niv\r\n");
    folder.Write("v.niv", "Love\r\n1 John 4:8\r\nGod is love.\r\n#\r\n$$$\r\n");
    MessageBoxScript boxes;
    CLumeraDlg dlg;
    QTimer::singleShot(0, &dlg, [&] {
        EveryControlIsNamed(dlg);
        QCOMPARE(NameOf(dlg.GetDlgItem(IDC_TITLE)), QStringLiteral("Title"));
        QCOMPARE(NameOf(dlg.GetDlgItem(IDC_NUMBER)), QStringLiteral("Reference"));
        QCOMPARE(NameOf(dlg.GetDlgItem(IDC_CONTENTS)), QStringLiteral("Verse"));
        QCOMPARE(NameOf(dlg.GetDlgItem(IDC_LICPICT)), QStringLiteral("Edition information"));
        QCOMPARE(NameOf(dlg.GetDlgItem(IDC_ANOTHER)), QStringLiteral("Another"));
        QCOMPARE(Accessible(dlg.GetDlgItem(IDC_TITLE))->text(QAccessible::Value), QStringLiteral("Love"));
        QAccessibleTextInterface *verse = Accessible(dlg.GetDlgItem(IDC_CONTENTS))->textInterface();
        QVERIFY(verse);
        QCOMPARE(verse->text(0, verse->characterCount()), QStringLiteral("God is love. "));
        // The window menu, with the editor and the about box, opens from the keyboard.
        for (Qt::Key key : {Qt::Key_F10, Qt::Key_Menu}) {
            QTest::keyClick(dlg.GetDlgItem(IDOK), key, key == Qt::Key_F10 ? Qt::ShiftModifier : Qt::NoModifier);
            QVERIFY2(dlg.SystemMenu()->isVisible(), key == Qt::Key_F10 ? "Shift+F10" : "Menu key");
            dlg.SystemMenu()->close();
        }
        dlg.EndDialog(IDOK);
    });
    dlg.DoModal();
}

void TestAccessibility::editor_namesFromLabelsAndTips()
{
    VerseList list = MakeVerses(3, 1);
    RunEditor(list, [](CVerseEditDlg &dlg) {
        EveryControlIsNamed(dlg);
        QCOMPARE(NameOf(dlg.GetDlgItem(IDC_TITLE)), QStringLiteral("Title of the verse"));
        QCOMPARE(NameOf(dlg.GetDlgItem(IDC_NUMBER)), QStringLiteral("Number of the verse"));
        QCOMPARE(NameOf(dlg.GetDlgItem(IDC_CONTENTS)), QStringLiteral("Contents of the verse"));
        const QList<QPair<int, QString>> buttons{{IDC_FIRST, "First"}, {IDC_PREV, "Previous"},
                                                 {IDC_NEXT, "Next"}, {IDC_LAST, "Last"},
                                                 {IDC_NEW, "Add empty verse"}, {IDC_DELETE, "Delete verse"}};
        for (const auto &[id, name] : buttons) {
            QCOMPARE(NameOf(dlg.GetDlgItem(id)), name);
            QVERIFY(dlg.GetDlgItem(id)->focusPolicy() & Qt::TabFocus);
        }
        QCOMPARE(NameOf(dlg.GetDlgItem(IDC_COUNTER)), QStringLiteral("Verse 2 of 3"));
        QTest::mouseClick(dlg.GetDlgItem(IDC_NEXT), Qt::LeftButton);
        QCOMPARE(NameOf(dlg.GetDlgItem(IDC_COUNTER)), QStringLiteral("Verse 3 of 3"));
    });
}

void TestAccessibility::aboutBox_linksAreLinksThatOpen()
{
    QDesktopServices::setUrlHandler(QStringLiteral("http"), this, "OpenUrl");
    QDesktopServices::setUrlHandler(QStringLiteral("mailto"), this, "OpenUrl");
    CAboutDlg dlg;
    QTimer::singleShot(0, &dlg, [&] {
        EveryControlIsNamed(dlg);
        for (int id : {IDC_URL, IDC_EMAIL}) {
            QAccessibleInterface *link = Accessible(dlg.GetDlgItem(id));
            QCOMPARE(link->role(), QAccessible::Link);
            QCOMPARE(link->text(QAccessible::Name), qobject_cast<QLabel *>(dlg.GetDlgItem(id))->text());
            QAccessibleActionInterface *actions = link->actionInterface();
            QVERIFY(actions);
            actions->doAction(QAccessibleActionInterface::pressAction());
        }
        dlg.EndDialog(IDOK);
    });
    dlg.DoModal();
    QDesktopServices::unsetUrlHandler(QStringLiteral("http"));
    QDesktopServices::unsetUrlHandler(QStringLiteral("mailto"));
    QCOMPARE(opened.size(), 2);
    QCOMPARE(opened[0].scheme(), QStringLiteral("http"));
    QCOMPARE(opened[1].scheme(), QStringLiteral("mailto"));
}

QTEST_MAIN(TestAccessibility)
#include "tst_accessibility.moc"
