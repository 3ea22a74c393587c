#include "tst_static_link_support.h"

#include "platform/CDialog.h"
#include "platform/UrlOpener.h"
#include "platform/WinTypes.h"
#include "ui/about/CStaticLink.h"

#include <QPointer>
#include <QtTest>

// Hyperlink labels on a dialog of their own: what a click opens, how the
// label looks before and after, and who deletes whom.
class TestStaticLink : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void click_opensChosenLink_data();
    void click_opensChosenLink();
    void click_rightOfTextEnd_opens();
    void success_turnsOnlyThatLabelRed();
    void failure_beepsLeavesBlueAndRetries();
    void emptyText_clickIsSilent();
    void textChangedAfterFirstClick_keepsLink();
    void twoLabels_ownUnderlinedFontsAndColours();
    void noPrefixLabel_plainButCursorAndClickWork();
    void subclass_missingOrNonLabelControl_fails();
    void labelDestroyed_deletesLinkOnlyWithFlag_data();
    void labelDestroyed_deletesLinkOnlyWithFlag();
    void linkDestroyedFirst_leavesPlainLabel();

private:
    QPointer<CDialog> m_dlg;
};

namespace {

constexpr int IDC_WEB = 2001;
constexpr int IDC_MAIL = 2002;
constexpr int IDC_NOPREFIX = 2003;
constexpr int IDC_BLANK = 2004;
constexpr int IDC_FRAME = 2005;

const DialogTemplate &LinkTemplate()
{
    using enum ControlClass;
    static const DialogTemplate tmpl{
        900, QStringLiteral("Links"), QStringLiteral("MS Sans Serif"), 8, 240, 100,
        0x80C800C0, 0,
        {
            {IDOK, Button, QStringLiteral("OK"), 180, 7, 50, 14, 0x50030001},
            {IDC_WEB, Static, QStringLiteral("www.orvane-press.example"), 10, 10, 160, 8, 0x50020000},
            {IDC_MAIL, Static, QStringLiteral("lumera@orvane-press.example"), 10, 25, 160, 8, 0x50020000},
            {IDC_NOPREFIX, Static, QStringLiteral("www.orvane-press.example"), 10, 40, 160, 8, 0x50020081},
            {IDC_BLANK, Static, QString(), 10, 55, 160, 8, 0x50020000},
            {IDC_FRAME, Button, QStringLiteral("Frame"), 10, 70, 100, 20, 0x50000007},
        }};
    return tmpl;
}

QLabel *Label(CDialog *dlg, int id)
{
    return qobject_cast<QLabel *>(dlg->GetDlgItem(id));
}

void Click(QLabel *label)
{
    QTest::mouseClick(label, Qt::LeftButton, Qt::NoModifier, QPoint(2, label->height() / 2));
}

} // namespace

void TestStaticLink::init()
{
    m_dlg = new CDialog(LinkTemplate());
    m_dlg->CreateControls();
    m_dlg->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_dlg));
}

void TestStaticLink::cleanup()
{
    delete m_dlg;
}

void TestStaticLink::click_opensChosenLink_data()
{
    QTest::addColumn<int>("id");
    QTest::addColumn<QString>("constructed");
    QTest::addColumn<QVariant>("subclassed"); // null: none passed to SubclassDlgItem
    QTest::addColumn<QString>("link");
    const QString web = QStringLiteral("https://orvane-press.example/verses");
    const QString mail = QStringLiteral("lumera@orvane-press.example");
    QTest::newRow("web text") << IDC_WEB << "" << QVariant() << "www.orvane-press.example";
    QTest::newRow("e-mail text") << IDC_MAIL << "" << QVariant() << "mailto:" + mail;
    QTest::newRow("constructor link with @") << IDC_WEB << mail << QVariant() << mail;
    QTest::newRow("subclass link replaces constructor's") << IDC_MAIL << mail << QVariant(web) << web;
    QTest::newRow("empty subclass link empties it") << IDC_MAIL << web << QVariant(QString()) << "mailto:" + mail;
}

void TestStaticLink::click_opensChosenLink()
{
    QFETCH(int, id);
    QFETCH(QString, constructed);
    QFETCH(QVariant, subclassed);
    QFETCH(QString, link);
    OpenedLinks opened;
    CStaticLink wnd(constructed);
    const std::optional<QString> passed =
        subclassed.isNull() ? std::nullopt : std::optional(subclassed.toString());
    QVERIFY(wnd.SubclassDlgItem(id, m_dlg, passed));
    Click(Label(m_dlg, id));
    QCOMPARE(wnd.Link(), link);
    QCOMPARE(opened.urls, QList<QUrl>{LinkToUrl(link)});
}

void TestStaticLink::click_rightOfTextEnd_opens()
{
    OpenedLinks opened;
    CStaticLink wnd;
    QVERIFY(wnd.SubclassDlgItem(IDC_WEB, m_dlg));
    QLabel *label = Label(m_dlg, IDC_WEB);
    const QPoint pastText(label->width() - 2, label->height() - 1);
    QVERIFY(label->fontMetrics().horizontalAdvance(label->text()) < pastText.x());
    QTest::mouseClick(label, Qt::LeftButton, Qt::NoModifier, pastText);
    QCOMPARE(opened.urls, QList<QUrl>{QUrl("http://www.orvane-press.example")});
    QCOMPARE(wnd.Color(), CStaticLink::g_colorVisited);
}

void TestStaticLink::success_turnsOnlyThatLabelRed()
{
    OpenedLinks opened;
    CStaticLink web;
    CStaticLink mail;
    QVERIFY(web.SubclassDlgItem(IDC_WEB, m_dlg));
    QVERIFY(mail.SubclassDlgItem(IDC_MAIL, m_dlg));
    Click(Label(m_dlg, IDC_MAIL));
    QCOMPARE(mail.Color(), qRgb(200, 0, 0));
    QCOMPARE(web.Color(), qRgb(0, 0, 220));
    QVERIFY(PaintedPixels(Label(m_dlg, IDC_MAIL), qRgb(200, 0, 0)) > 0);
    QCOMPARE(PaintedPixels(Label(m_dlg, IDC_MAIL), qRgb(0, 0, 220)), 0);
    QVERIFY(PaintedPixels(Label(m_dlg, IDC_WEB), qRgb(0, 0, 220)) > 0);
    QCOMPARE(PaintedPixels(Label(m_dlg, IDC_WEB), qRgb(200, 0, 0)), 0);
}

void TestStaticLink::failure_beepsLeavesBlueAndRetries()
{
    BeepCounter beeps;
    CStaticLink wnd;
    QVERIFY(wnd.SubclassDlgItem(IDC_WEB, m_dlg));
    QLabel *label = Label(m_dlg, IDC_WEB);
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression("openUrl"));
    Click(label); // nothing handles the address
    QCOMPARE(beeps.count, 1);
    QCOMPARE(wnd.Color(), CStaticLink::g_colorUnvisited);
    QVERIFY(PaintedPixels(label, qRgb(0, 0, 220)) > 0);

    OpenedLinks opened;
    Click(label);
    QCOMPARE(beeps.count, 1);
    QCOMPARE(opened.urls.size(), 1);
    QCOMPARE(wnd.Color(), CStaticLink::g_colorVisited);
}

void TestStaticLink::emptyText_clickIsSilent()
{
    OpenedLinks opened;
    BeepCounter beeps;
    CStaticLink wnd;
    QVERIFY(wnd.SubclassDlgItem(IDC_BLANK, m_dlg));
    Click(Label(m_dlg, IDC_BLANK));
    QCOMPARE(beeps.count, 0);
    QVERIFY(opened.urls.isEmpty());
    QCOMPARE(wnd.Color(), CStaticLink::g_colorUnvisited);
}

void TestStaticLink::textChangedAfterFirstClick_keepsLink()
{
    OpenedLinks opened;
    CStaticLink wnd;
    QVERIFY(wnd.SubclassDlgItem(IDC_MAIL, m_dlg));
    QLabel *label = Label(m_dlg, IDC_MAIL);
    Click(label);
    label->setText(QStringLiteral("www.orvane-press.example"));
    Click(label);
    const QUrl mail("mailto:lumera@orvane-press.example");
    QCOMPARE(opened.urls, (QList<QUrl>{mail, mail}));
}

void TestStaticLink::twoLabels_ownUnderlinedFontsAndColours()
{
    QLabel *webLabel = Label(m_dlg, IDC_WEB);
    QLabel *mailLabel = Label(m_dlg, IDC_MAIL);
    const QFont plain = webLabel->font();
    QFont bold = plain;
    bold.setBold(true);
    mailLabel->setFont(bold);
    CStaticLink web;
    CStaticLink mail;
    QVERIFY(web.SubclassDlgItem(IDC_WEB, m_dlg));
    QVERIFY(mail.SubclassDlgItem(IDC_MAIL, m_dlg));
    QVERIFY(PaintedPixels(webLabel, qRgb(0, 0, 220)) > 0);
    QVERIFY(PaintedPixels(mailLabel, qRgb(0, 0, 220)) > 0);
    QVERIFY(webLabel->font().underline() && !webLabel->font().bold());
    QVERIFY(mailLabel->font().underline() && mailLabel->font().bold());
    QVERIFY(!webLabel->autoFillBackground());

    // The copy is made once: a later font change is not followed.
    webLabel->setFont(QFont(plain.family(), 20));
    webLabel->grab();
    QCOMPARE(webLabel->font().pointSizeF(), plain.pointSizeF());
    QVERIFY(webLabel->font().underline());
}

void TestStaticLink::noPrefixLabel_plainButCursorAndClickWork()
{
    OpenedLinks opened;
    QLabel *label = Label(m_dlg, IDC_NOPREFIX);
    const QRgb plainColor = label->palette().color(QPalette::WindowText).rgb();
    CStaticLink wnd;
    QVERIFY(wnd.SubclassDlgItem(IDC_NOPREFIX, m_dlg));
    QCOMPARE(PaintedPixels(label, qRgb(0, 0, 220)), 0);
    QVERIFY(!label->font().underline());
    QVERIFY(label->testAttribute(Qt::WA_SetCursor));
    Click(label);
    QCOMPARE(opened.urls, QList<QUrl>{QUrl("http://www.orvane-press.example")});
    QCOMPARE(PaintedPixels(label, qRgb(200, 0, 0)), 0);
    QCOMPARE(label->palette().color(QPalette::WindowText).rgb(), plainColor);
}

void TestStaticLink::subclass_missingOrNonLabelControl_fails()
{
    CStaticLink wnd;
    QVERIFY(!wnd.SubclassDlgItem(4242, m_dlg));
    QVERIFY(!wnd.SubclassDlgItem(IDC_FRAME, m_dlg));
    QVERIFY(!wnd.SubclassDlgItem(IDC_WEB, nullptr));
    QCOMPARE(wnd.Label(), nullptr);
}

void TestStaticLink::labelDestroyed_deletesLinkOnlyWithFlag_data()
{
    QTest::addColumn<bool>("deleteOnDestroy");
    QTest::newRow("on the heap, deleting itself") << true;
    QTest::newRow("a member, deleted by its owner") << false;
}

void TestStaticLink::labelDestroyed_deletesLinkOnlyWithFlag()
{
    QFETCH(bool, deleteOnDestroy);
    auto *link = new CStaticLink(QString(), deleteOnDestroy);
    const QPointer<CStaticLink> watch(link);
    QVERIFY(link->SubclassDlgItem(IDC_WEB, m_dlg));
    delete m_dlg;
    QCOMPARE(watch.isNull(), deleteOnDestroy);
    if (watch) {
        QCOMPARE(watch->Label(), nullptr);
        delete link;
    }
}

void TestStaticLink::linkDestroyedFirst_leavesPlainLabel()
{
    OpenedLinks opened;
    QLabel *label = Label(m_dlg, IDC_WEB);
    {
        CStaticLink wnd;
        QVERIFY(wnd.SubclassDlgItem(IDC_WEB, m_dlg));
        QVERIFY(label->testAttribute(Qt::WA_SetCursor));
    }
    Click(label);
    QVERIFY(opened.urls.isEmpty());
    QVERIFY(!label->testAttribute(Qt::WA_SetCursor));
}

QTEST_MAIN(TestStaticLink)
#include "tst_static_link.moc"
