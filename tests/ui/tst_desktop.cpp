#include "DialogTestSupport.h"
#include "app/CLumeraApp.h"
#include "platform/CBitmapButton.h"
#include "platform/Resources.h"
#include "tst_verse_editor_support.h"
#include "ui/about/CAboutDlg.h"
#include "ui/main/CLumeraDlg.h"

#include <QDesktopServices>
#include <QGuiApplication>
#include <QSettings>

namespace {

// Takes the URLs the desktop is asked to open, while it lives.
class UrlCatcher : public QObject
{
    Q_OBJECT

public:
    explicit UrlCatcher(const QString &scheme)
        : m_scheme(scheme)
    {
        QDesktopServices::setUrlHandler(scheme, this, "open");
    }
    ~UrlCatcher() override { QDesktopServices::unsetUrlHandler(m_scheme); }

    QList<QUrl> opened;

public slots:
    void open(const QUrl &url) { opened.append(url); }

private:
    QString m_scheme;
};

// Presses F1 where the focus is in dlg.
void PressHelpKey(CDialog &dlg)
{
    QWidget *target = QApplication::focusWidget();
    QTest::keyClick(target && dlg.isAncestorOf(target) ? target : &dlg, Qt::Key_F1);
}

} // namespace

// How the program presents itself to the desktop: the desktop entry its
// windows belong to, and where the help command leads.
class TestDesktop : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        m_help.emplace();
        m_page = m_help->filePath("index.html");
        QFile page(m_page);
        QVERIFY(page.open(QIODevice::WriteOnly));
        theApp.m_pszHelpFilePath = m_page;
    }
    void cleanup()
    {
        m_help.reset();
        VerifyNoWindowLeftOpen();
    }
    void initTestCase() { QApplication::setWindowIcon(LoadIconResource(QStringLiteral("IDR_MAINFRAME"))); }

    // The desktop file name is the entry the build installs, whose icon
    // and StartupWMClass name this program too.
    void desktopFileName_isTheInstalledEntry()
    {
        QVERIFY(theApp.InitApplication());
        const QString id = QGuiApplication::desktopFileName();
        QCOMPARE(id, QStringLiteral("org.orvane.Lumera"));
        const QString path = QStringLiteral(LUMERA_BUILD_DIR "/res/") + id + QStringLiteral(".desktop");
        QVERIFY2(QFile::exists(path), qPrintable(path));
        QSettings entry(path, QSettings::IniFormat);
        entry.beginGroup(QStringLiteral("Desktop Entry"));
        QCOMPARE(entry.value(QStringLiteral("Icon")).toString(), id);
        QCOMPARE(entry.value(QStringLiteral("StartupWMClass")).toString(), QStringLiteral(LUMERA_PROGRAM_NAME));
        QVERIFY(!entry.value(QStringLiteral("Comment")).toString().contains(QStringLiteral("Randomily")));
    }

    // F1 in each of the three dialogs opens the help page through the desktop.
    void helpKey_opensTheHelpPage_data()
    {
        QTest::addColumn<QString>("dialog");
        QTest::newRow("main window") << "main";
        QTest::newRow("verse editor") << "editor";
        QTest::newRow("about box") << "about";
    }
    void helpKey_opensTheHelpPage()
    {
        QFETCH(QString, dialog);
        UrlCatcher desktop(QStringLiteral("file"));
        MessageBoxScript boxes;
        RunDialog(dialog, [] { PressHelpKey(*qobject_cast<CDialog *>(QApplication::activeModalWidget())); });
        QCOMPARE(desktop.opened, QList<QUrl>{QUrl::fromLocalFile(m_page)});
        QVERIFY(boxes.shown.isEmpty());
    }

    // Where the page cannot be shown, one box says where the help is.
    void helpCommand_saysWhereTheHelpIs_data()
    {
        QTest::addColumn<bool>("pageThere");
        QTest::addColumn<bool>("browser"); // the desktop could show a page
        QTest::addColumn<QString>("says");
        QTest::newRow("no program shows pages") << true << false << "No program was found to show the help";
        QTest::newRow("page missing") << false << true << "is missing";
    }
    void helpCommand_saysWhereTheHelpIs()
    {
        QFETCH(bool, pageThere);
        QFETCH(bool, browser);
        QFETCH(QString, says);
        if (!pageThere)
            QFile::remove(m_page);
        std::optional<UrlCatcher> desktop;
        if (browser)
            desktop.emplace(QStringLiteral("file"));
        MessageBoxScript boxes;
        QVERIFY(theApp.OnCmdMsg(ID_HELP));
        QVERIFY(!desktop || desktop->opened.isEmpty());
        QCOMPARE(boxes.shown.size(), 1);
        const MessageBoxRequest &box = boxes.shown.first();
        QVERIFY2(box.text.contains(says), qPrintable(box.text));
        QVERIFY(box.text.contains(m_page));
        QVERIFY(box.text.contains(QStringLiteral("man ") + QCoreApplication::applicationName()));
        QCOMPARE(box.type, unsigned(MB_OK | MB_ICONINFORMATION));
    }

    // Run at the scales the desktop may give (ctest runs this at 1, 1.5
    // and 2): the editor's buttons and the program's icon are pictures
    // drawn for the application's scale, and keep their size in the dialog.
    void pictures_drawnForTheApplicationsScale()
    {
        const qreal scale = qApp->devicePixelRatio();
        VerseList list = MakeVerses(2);
        RunEditor(list, [scale](CVerseEditDlg &dlg) {
            for (CBitmapButton *button : {dlg.m_btnFirst, dlg.m_btnLast, dlg.m_btnDelete}) {
                QCOMPARE(button->UpBitmap().devicePixelRatio(), scale);
                QCOMPARE(button->DownBitmap().devicePixelRatio(), scale);
                QCOMPARE(button->size(), QSize(24, 22));
            }
        });
        const QPixmap icon = QApplication::windowIcon().pixmap(QSize(32, 32));
        QCOMPARE(icon.devicePixelRatio(), scale);
        QCOMPARE(icon.size(), QSize(32, 32) * scale);
    }

private:
    // Opens the named dialog, runs act once it is open, then closes it.
    void RunDialog(const QString &dialog, const std::function<void()> &act)
    {
        if (dialog == QLatin1String("editor")) {
            VerseList list = MakeVerses(3);
            RunEditor(list, [&](CVerseEditDlg &) { act(); });
        } else if (dialog == QLatin1String("about")) {
            CAboutDlg about;
            RunModal(about, act);
        } else {
            WorkFolder folder;
            folder.Write("Lumera.ini", "FILE=v.niv\r\n");
            folder.Write("v.niv", "One\r\nRef 1\r\nText.\r\n#\r\n$$$\r\n");
            CLumeraDlg main;
            RunModal(main, act);
        }
    }

    std::optional<QTemporaryDir> m_help;
    QString m_page;
};

QTEST_MAIN(TestDesktop)
#include "tst_desktop.moc"
