#include "DialogTestSupport.h"
#include "app/CLumeraApp.h"
#include "res/Resource.h"
#include "ui/about/CAboutDlg.h"
#include "ui/main/CLumeraDlg.h"

#include <QApplication>
#include <QMenu>
#include <QTimer>

// The main window's menu commands that open the about box.
class TestAboutFromMain : public QObject
{
    Q_OBJECT

private slots:
    void sysCommand_opensAboutBox_data();
    void sysCommand_opensAboutBox();
    void menuEntry_opensAboutBox();

private:
    // Runs the main window and, inside it, the given command; returns how
    // many about boxes came up (each is closed again at once).
    int AboutBoxesOpenedBy(const std::function<void(CLumeraDlg &)> &command);
};

namespace {

const QByteArray kOneVerse = "One\r\nRef 1\r\nFirst text.\r\n#\r\n$$$\r\n";

// Closes the modal about box, if one is up, and counts it.
void CloseAboutBox(int &count)
{
    if (auto *about = qobject_cast<CAboutDlg *>(QApplication::activeModalWidget())) {
        ++count;
        QTest::keyClick(about, Qt::Key_Escape);
    }
}

} // namespace

int TestAboutFromMain::AboutBoxesOpenedBy(const std::function<void(CLumeraDlg &)> &command)
{
    WorkFolder folder;
    folder.Write("Lumera.ini", "FILE=verses.niv\r\n");
    folder.Write("verses.niv", kOneVerse);
    MessageBoxScript boxes;
    CLumeraDlg dlg;
    int opened = 0;
    QTimer::singleShot(0, &dlg, [&] {
        QTimer::singleShot(0, &dlg, [&] { CloseAboutBox(opened); });
        command(dlg);
        QCoreApplication::processEvents();
        dlg.EndDialog(IDOK);
    });
    dlg.DoModal();
    return opened;
}

void TestAboutFromMain::sysCommand_opensAboutBox_data()
{
    QTest::addColumn<unsigned>("id");
    QTest::addColumn<int>("boxes");
    QTest::newRow("about command") << 0x0010u << 1;
    QTest::newRow("low bits masked off") << 0x0013u << 1;
    QTest::newRow("all low bits set") << 0x001Fu << 1;
    QTest::newRow("next command up") << 0x0020u << 0;
    QTest::newRow("zero") << 0x0000u << 0;
}

void TestAboutFromMain::sysCommand_opensAboutBox()
{
    QFETCH(unsigned, id);
    QFETCH(int, boxes);
    QCOMPARE(AboutBoxesOpenedBy([id](CLumeraDlg &dlg) { dlg.OnSysCommand(id); }), boxes);
}

void TestAboutFromMain::menuEntry_opensAboutBox()
{
    const int opened = AboutBoxesOpenedBy([](CLumeraDlg &dlg) {
        for (QAction *action : dlg.SystemMenu()->actions()) {
            if (action->text() == QStringLiteral("&About Lumera..."))
                action->trigger();
        }
    });
    QCOMPARE(opened, 1);
}

QTEST_MAIN(TestAboutFromMain)
#include "tst_about_from_main.moc"
