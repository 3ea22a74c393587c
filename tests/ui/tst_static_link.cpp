#include "DialogTestSupport.h"
#include "platform/MessageBeep.h"
#include "platform/PictureColours.h"
#include "res/Resource.h"
#include "ui/about/CAboutDlg.h"
#include "ui/about/LinkCursor.h"
#include "ui/main/CLumeraDlg.h"

#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QDesktopServices>
#include <QLabel>
#include <QPushButton>

#include <algorithm>

// Hyperlink labels, on their own and on a dialog, and the about box that shows two.
class TestStaticLink : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void chooseLink_data();
    void chooseLink();
    void click_opensChosenLink_data();
    void click_opensChosenLink();
    void visit_repaintsTheLabelOnScreen();
    void labelGone_deletesOnlyLinkWithFlag();
    void about_twoOpenings();
    void about_fromMainWindowCommand_data();
    void about_fromMainWindowCommand();
    void linkColours_readableOnTheWindow_data();
    void linkColours_readableOnTheWindow();
    void missingCursor_fallbackTriedOnce();

public slots:
    void open(const QUrl &url) { m_opened.append(url); }

private:
    QPointer<CDialog> m_dlg;
    QList<QUrl> m_opened;
    int m_beeps = 0;
};

namespace {

constexpr int IDC_WEB = 2001, IDC_MAIL = 2002, IDC_NOPREFIX = 2003, IDC_BLANK = 2004;
const QString kWeb = QStringLiteral("www.orvane-press.example");
const QString kMail = QStringLiteral("lumera@orvane-press.example");
const char *const kSchemes[] = {"http", "https", "mailto"};

QLabel *Label(CDialog &dlg, int id)
{
    return qobject_cast<QLabel *>(dlg.GetDlgItem(id));
}

void Click(QLabel *label) // near the right end of its rectangle
{
    QTest::mouseClick(label, Qt::LeftButton, Qt::NoModifier, QPoint(label->width() - 2, label->height() / 2));
}

// The link colours a picture holds: blue, red, both or none.
QList<QRgb> LinkColors(const QImage &picture)
{
    const QImage image = picture.convertToFormat(QImage::Format_RGB32);
    const auto *first = reinterpret_cast<const QRgb *>(image.constBits()); // rows without padding
    const auto *last = first + qsizetype(image.width()) * image.height();
    QList<QRgb> shown;
    for (QRgb color : {kLinkColorUnvisited, kLinkColorVisited}) {
        if (std::find(first, last, color) != last)
            shown.append(color);
    }
    return shown;
}
// The link colours a label shows when freshly painted.
QList<QRgb> LinkColors(QLabel *label)
{
    return LinkColors(label->grab().toImage());
}
const QList<QRgb> kBlue{kLinkColorUnvisited};
const QList<QRgb> kRed{kLinkColorVisited};

} // namespace

// Each test starts with every link opened into m_opened, beeps counted, and labels shown.
void TestStaticLink::init()
{
    using enum ControlClass;
    static const DialogTemplate tmpl{900,
                                     QStringLiteral("Links"),
                                     QStringLiteral("MS Sans Serif"),
                                     8,
                                     240,
                                     100,
                                     0x80C800C0,
                                     0,
                                     {{IDOK, Button, QStringLiteral("OK"), 180, 7, 50, 14, 0x50030001},
                                      {IDC_WEB, Static, kWeb, 10, 10, 160, 8, 0x50020000},
                                      {IDC_MAIL, Static, kMail, 10, 25, 160, 8, 0x50020000},
                                      {IDC_NOPREFIX, Static, kWeb, 10, 40, 160, 8, 0x50020081},
                                      {IDC_BLANK, Static, QString(), 10, 55, 160, 8, 0x50020000}}};
    for (const char *scheme : kSchemes)
        QDesktopServices::setUrlHandler(QLatin1String(scheme), this, "open");
    m_opened.clear();
    m_beeps = 0;
    BeepSeam::SetHandler([this](unsigned) { ++m_beeps; });
    m_dlg = new CDialog(tmpl);
    m_dlg->CreateControls();
    m_dlg->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_dlg));
}

void TestStaticLink::cleanup()
{
    delete m_dlg;
    BeepSeam::Reset();
    for (const char *scheme : kSchemes)
        QDesktopServices::unsetUrlHandler(QLatin1String(scheme));
    VerifyNoWindowLeftOpen();
}

// What the label rows below cannot show: texts that look like e-mail but are not.
void TestStaticLink::chooseLink_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("expected");
    QTest::newRow("text already with mailto, any case") << "MAILTO:" + kMail << "MAILTO:" + kMail;
    QTest::newRow("web address with @ in its path") << "https://a.example/@b"
                                                    << "https://a.example/@b";
}

void TestStaticLink::chooseLink()
{
    QFETCH(QString, text);
    QFETCH(QString, expected);
    QCOMPARE(ChooseLink(QString(), text), expected);
}

void TestStaticLink::click_opensChosenLink_data()
{
    QTest::addColumn<int>("id");
    QTest::addColumn<QString>("constructed");
    QTest::addColumn<QVariant>("subclassed"); // null: none passed to SubclassDlgItem
    QTest::addColumn<QStringList>("opened"); // by a click, and by one after the text changed
    QTest::addColumn<QList<QRgb>>("colors"); // the label's colours afterwards; the other one stays blue
    const QString web = QStringLiteral("https://orvane-press.example/verses"), mailto = "mailto:" + kMail;
    QTest::newRow("constructor link with @") << IDC_WEB << kMail << QVariant() << QStringList{kMail, kMail} << kRed;
    QTest::newRow("subclass link replaces") << IDC_MAIL << kMail << QVariant(web) << QStringList{web, web} << kRed;
    QTest::newRow("empty subclass link empties")
        << IDC_MAIL << web << QVariant(QString()) << QStringList{mailto, mailto} << kRed;
    QTest::newRow("empty text: nothing at first")
        << IDC_BLANK << "" << QVariant() << QStringList{"changed.example"} << kRed;
    QTest::newRow("desktop cannot open it: beeps") << IDC_MAIL << "tel:12" << QVariant() << QStringList() << kBlue;
    QTest::newRow("no prefix: plain, still opens")
        << IDC_NOPREFIX << "" << QVariant() << QStringList{kWeb, kWeb} << QList<QRgb>();
}

void TestStaticLink::click_opensChosenLink()
{
    QFETCH(int, id);
    QFETCH(QString, constructed);
    QFETCH(QVariant, subclassed);
    QFETCH(QStringList, opened);
    QFETCH(QList<QRgb>, colors);
    CStaticLink wnd(constructed);
    CStaticLink other;
    QVERIFY(wnd.SubclassDlgItem(id, m_dlg, subclassed.isNull() ? std::nullopt : std::optional(subclassed.toString())));
    QVERIFY(other.SubclassDlgItem(id == IDC_WEB ? IDC_MAIL : IDC_WEB, m_dlg));
    QLabel *label = Label(*m_dlg, id);
    QVERIFY(label->testAttribute(Qt::WA_SetCursor));
    QVERIFY(label->fontMetrics().horizontalAdvance(label->text()) < label->width() - 2); // clicks land past it
    const int failures = opened.isEmpty() ? 2 : 0;
    for (int i = 0; i < failures; ++i)
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("openUrl"));
    Click(label);
    label->setText(QStringLiteral("changed.example"));
    Click(label);
    QList<QUrl> urls;
    for (const QString &link : opened)
        urls.append(QUrl::fromUserInput(link));
    QCOMPARE(m_opened, urls);
    QCOMPARE(m_beeps, failures);
    QCOMPARE(LinkColors(label), colors);
    QCOMPARE(label->font().underline(), !colors.isEmpty());
    QCOMPARE(LinkColors(other.Label()), kBlue);
}

// The window as it is on screen, not painted afresh: a visit must repaint the
// label by itself to show the visited colour.
void TestStaticLink::visit_repaintsTheLabelOnScreen()
{
    CStaticLink wnd;
    QVERIFY(wnd.SubclassDlgItem(IDC_WEB, m_dlg));
    QLabel *label = Label(*m_dlg, IDC_WEB);
    const auto onScreen = [label] {
        const QRect area(label->mapTo(label->window(), QPoint()), label->size());
        return LinkColors(label->window()->screen()->grabWindow(label->window()->winId()).copy(area).toImage());
    };
    QTRY_COMPARE(onScreen(), kBlue);
    Click(label);
    QTRY_COMPARE(onScreen(), kRed);
}

void TestStaticLink::labelGone_deletesOnlyLinkWithFlag()
{
    auto *flagged = new CStaticLink(QString(), true);
    auto *plain = new CStaticLink(QString(), false);
    const QPointer<CStaticLink> flaggedAlive(flagged), plainAlive(plain);
    QVERIFY(flagged->SubclassDlgItem(IDC_WEB, m_dlg));
    QVERIFY(plain->SubclassDlgItem(IDC_MAIL, m_dlg));
    delete m_dlg;
    QVERIFY(flaggedAlive.isNull());
    QVERIFY(!plainAlive.isNull());
    delete plainAlive.data();
}

// Each opening: both links blue, each opens its address (one by a click, one
// by a screen reader), and only OK takes the focus and ends the box.
void TestStaticLink::about_twoOpenings()
{
    QList<QUrl> expected;
    for (int opening = 0; opening < 2; ++opening) {
        CAboutDlg dlg;
        QCOMPARE(RunModal(
                     dlg,
                     [&] {
                         QLabel *mail = Label(dlg, IDC_EMAIL);
                         QLabel *web = Label(dlg, IDC_URL);
                         QCOMPARE(LinkColors(mail), kBlue);
                         Click(mail);
                         QCOMPARE(LinkColors(mail), kRed);
                         QCOMPARE(LinkColors(web), kBlue);
                         // To a screen reader the label is a link named by its text, opened by its press action.
                         QAccessibleInterface *link = QAccessible::queryAccessibleInterface(web);
                         QCOMPARE(link->role(), QAccessible::Link);
                         QCOMPARE(link->text(QAccessible::Name), web->text());
                         QVERIFY(link->actionInterface());
                         link->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
                         // The e-mail text holds "@" but no "mailto:"; the web one opens as a browser would.
                         expected << QUrl("mailto:lumera@orvane.example") << QUrl("http://www.orvane.example");
                         QWidget *ok = dlg.GetDlgItem(IDOK);
                         QCOMPARE(dlg.focusWidget(), ok);
                         QVERIFY(qobject_cast<QPushButton *>(ok)->isDefault());
                         for (QWidget *child : dlg.findChildren<QWidget *>())
                             QCOMPARE(bool(child->focusPolicy() & Qt::TabFocus), child == ok);
                         QTest::mouseClick(ok, Qt::LeftButton);
                     },
                     -1),
                 IDOK);
    }
    QCOMPARE(m_opened, expected);
}

void TestStaticLink::about_fromMainWindowCommand_data()
{
    QTest::addColumn<unsigned>("id");
    QTest::addColumn<QString>("opened");
    QTest::newRow("low bits masked off") << 0x0013u << QStringLiteral("About Lumera");
    QTest::newRow("next command up") << 0x0020u << QString();
}

void TestStaticLink::about_fromMainWindowCommand()
{
    QFETCH(unsigned, id);
    QFETCH(QString, opened);
    CLumeraDlg dlg;
    QString seen;
    CheckNextDialog([&seen](CDialog &box) { seen = box.windowTitle(); });
    dlg.OnSysCommand(id);
    QCoreApplication::processEvents();
    QCOMPARE(seen, opened);
}

// The program's own hand, hot spot at the finger tip; without it the
// desktop's hand, looked up once however many labels show it. What that
// lookup finds lasts the process, so the test runs in a process of its own.
void TestStaticLink::missingCursor_fallbackTriedOnce()
{
    RUN_IN_OWN_PROCESS();
    CStaticLink present;
    QCOMPARE(LinkCursor::Current()->pixmap().size(), QSize(32, 32));
    QCOMPARE(LinkCursor::Current()->hotSpot(), QPoint(6, 0));
    int fallbackLoads = 0;
    LinkCursor::SetResourceLoader([] { return std::optional<QCursor>(); });
    LinkCursor::SetFallbackLoader([&fallbackLoads]() -> std::optional<QCursor> {
        ++fallbackLoads;
        return QCursor(Qt::PointingHandCursor);
    });
    CStaticLink web;
    CStaticLink mail;
    QVERIFY(web.SubclassDlgItem(IDC_WEB, m_dlg));
    QVERIFY(mail.SubclassDlgItem(IDC_MAIL, m_dlg));
    LinkCursor::SetResourceLoader({});
    LinkCursor::SetFallbackLoader({});
    QCOMPARE(fallbackLoads, 1);
    for (int id : {IDC_WEB, IDC_MAIL})
        QCOMPARE(Label(*m_dlg, id)->cursor().shape(), Qt::PointingHandCursor);
}

QTEST_MAIN(TestStaticLink)
#include "tst_static_link.moc"

// Blue before the click and red after it, each readable on the window: as
// classic on a light one, made lighter on a dark one.
void TestStaticLink::linkColours_readableOnTheWindow_data()
{
    QTest::addColumn<QColor>("window");
    QTest::addColumn<bool>("classic");
    QTest::newRow("light window") << QColor(0xEF, 0xEF, 0xEF) << true;
    QTest::newRow("dark window") << QColor(0x30, 0x30, 0x30) << false;
    QTest::newRow("black window") << QColor(0, 0, 0) << false;
}

void TestStaticLink::linkColours_readableOnTheWindow()
{
    QFETCH(QColor, window);
    QFETCH(bool, classic);
    m_dlg->setPalette(QPalette(window));
    CStaticLink link;
    QVERIFY(link.SubclassDlgItem(IDC_WEB, m_dlg));
    QLabel *label = Label(*m_dlg, IDC_WEB);
    const auto shown = [label] {
        label->grab(); // the colour is chosen as the label paints
        return label->palette().color(QPalette::WindowText).rgb();
    };
    const QRgb blue = shown();
    Click(label);
    const QRgb red = shown();
    QCOMPARE(m_opened.size(), 1);
    QVERIFY(ContrastRatio(blue, window.rgb()) >= 4.5);
    QVERIFY(ContrastRatio(red, window.rgb()) >= 4.5);
    QVERIFY(qBlue(blue) > qRed(blue) && qBlue(blue) > qGreen(blue));
    QVERIFY(qRed(red) > qGreen(red) && qRed(red) > qBlue(red));
    QCOMPARE(blue == kLinkColorUnvisited && red == kLinkColorVisited, classic);
}
