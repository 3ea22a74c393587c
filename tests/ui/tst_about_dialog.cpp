#include "tst_static_link_support.h"

#include "platform/UrlOpener.h"
#include "platform/WinTypes.h"
#include "res/Resource.h"
#include "ui/about/CAboutDlg.h"

#include <QPushButton>
#include <QTimer>
#include <QtTest>

#include <functional>

// The about box run modally: its controls, its two links, and the ways out.
class TestAboutDialog : public QObject
{
    Q_OBJECT

private slots:
    void box_attachesBlueLinksToItsAddresses();
    void onlyOk_takesKeyboardFocus();
    void emailClick_opensMailtoAndTurnsOnlyItRed();
    void webClick_opensHttpAddress();
    void otherTexts_openNothing();
    void openedTwice_bothLinksBlue();
    void ending_data();
    void ending();

private:
    // Runs a new about box, gives it to check, then ends it with OK
    // unless the check ended it. Returns DoModal's result.
    int RunAbout(const std::function<void(CAboutDlg &)> &check);
};

namespace {

QLabel *Label(CAboutDlg &dlg, int id)
{
    return qobject_cast<QLabel *>(dlg.GetDlgItem(id));
}

void Click(QLabel *label)
{
    QTest::mouseClick(label, Qt::LeftButton, Qt::NoModifier, QPoint(2, label->height() / 2));
}

} // namespace

int TestAboutDialog::RunAbout(const std::function<void(CAboutDlg &)> &check)
{
    CAboutDlg dlg;
    bool checked = false;
    QTimer::singleShot(0, &dlg, [&] {
        check(dlg);
        checked = true;
        if (dlg.isVisible())
            dlg.EndDialog(IDOK);
    });
    const int result = dlg.DoModal();
    [&] { QVERIFY(checked); }();
    return result;
}

void TestAboutDialog::box_attachesBlueLinksToItsAddresses()
{
    RunAbout([](CAboutDlg &dlg) {
        QCOMPARE(dlg.m_wndUrl.Label(), Label(dlg, IDC_URL));
        QCOMPARE(dlg.m_wndEmail.Label(), Label(dlg, IDC_EMAIL));
        for (const CStaticLink *link : {&dlg.m_wndUrl, &dlg.m_wndEmail}) {
            QVERIFY(link->Link().isEmpty());
            QVERIFY(!link->DeletesOnDestroy());
            QCOMPARE(link->Color(), CStaticLink::g_colorUnvisited);
        }
        const QString mail = Label(dlg, IDC_EMAIL)->text();
        QVERIFY(mail.contains(QLatin1Char('@')));
        QVERIFY(!mail.contains(QStringLiteral("mailto:"), Qt::CaseInsensitive));
        const QUrl web = LinkToUrl(Label(dlg, IDC_URL)->text());
        QVERIFY(web.scheme() == QLatin1String("http") || web.scheme() == QLatin1String("https"));
        QVERIFY(!web.host().isEmpty());
    });
}

void TestAboutDialog::onlyOk_takesKeyboardFocus()
{
    RunAbout([](CAboutDlg &dlg) {
        QWidget *ok = dlg.GetDlgItem(IDOK);
        QCOMPARE(dlg.focusWidget(), ok);
        QVERIFY(qobject_cast<QPushButton *>(ok)->isDefault());
        QList<QWidget *> tabStops;
        for (QWidget *child : dlg.findChildren<QWidget *>()) {
            if (child->focusPolicy() & Qt::TabFocus)
                tabStops.append(child);
        }
        QCOMPARE(tabStops, QList<QWidget *>{ok});
    });
}

void TestAboutDialog::emailClick_opensMailtoAndTurnsOnlyItRed()
{
    OpenedLinks opened;
    RunAbout([&](CAboutDlg &dlg) {
        QLabel *mail = Label(dlg, IDC_EMAIL);
        Click(mail);
        QCOMPARE(opened.urls, QList<QUrl>{QUrl(QStringLiteral("mailto:") + mail->text())});
        QVERIFY(PaintedPixels(mail, qRgb(200, 0, 0)) > 0);
        QVERIFY(PaintedPixels(Label(dlg, IDC_URL), qRgb(0, 0, 220)) > 0);
        QCOMPARE(PaintedPixels(Label(dlg, IDC_URL), qRgb(200, 0, 0)), 0);
    });
}

void TestAboutDialog::webClick_opensHttpAddress()
{
    OpenedLinks opened;
    RunAbout([&](CAboutDlg &dlg) {
        QLabel *web = Label(dlg, IDC_URL);
        Click(web);
        QCOMPARE(opened.urls, QList<QUrl>{QUrl::fromUserInput(web->text())});
        QCOMPARE(dlg.m_wndUrl.Link(), web->text());
        QCOMPARE(dlg.m_wndUrl.Color(), CStaticLink::g_colorVisited);
        QCOMPARE(dlg.m_wndEmail.Color(), CStaticLink::g_colorUnvisited);
    });
}

void TestAboutDialog::otherTexts_openNothing()
{
    OpenedLinks opened;
    BeepCounter beeps;
    RunAbout([&](CAboutDlg &dlg) {
        for (QLabel *label : dlg.findChildren<QLabel *>()) {
            if (label != Label(dlg, IDC_URL) && label != Label(dlg, IDC_EMAIL))
                Click(label);
        }
        QVERIFY(dlg.isVisible());
    });
    QVERIFY(opened.urls.isEmpty());
    QCOMPARE(beeps.count, 0);
}

void TestAboutDialog::openedTwice_bothLinksBlue()
{
    OpenedLinks opened;
    RunAbout([](CAboutDlg &dlg) {
        Click(Label(dlg, IDC_URL));
        Click(Label(dlg, IDC_EMAIL));
        QCOMPARE(dlg.m_wndUrl.Color(), CStaticLink::g_colorVisited);
    });
    RunAbout([](CAboutDlg &dlg) {
        for (int id : {IDC_URL, IDC_EMAIL}) {
            QVERIFY(PaintedPixels(Label(dlg, id), qRgb(0, 0, 220)) > 0);
            QCOMPARE(PaintedPixels(Label(dlg, id), qRgb(200, 0, 0)), 0);
        }
        QVERIFY(dlg.m_wndUrl.Link().isEmpty());
    });
    QCOMPARE(opened.urls.size(), 2);
}

void TestAboutDialog::ending_data()
{
    QTest::addColumn<QString>("way");
    QTest::addColumn<int>("result");
    QTest::newRow("OK button") << "ok" << IDOK;
    QTest::newRow("Enter on OK") << "enter" << IDOK;
    QTest::newRow("Escape") << "escape" << IDCANCEL;
    QTest::newRow("close box") << "close" << IDCANCEL;
}

void TestAboutDialog::ending()
{
    QFETCH(QString, way);
    QFETCH(int, result);
    const int ended = RunAbout([&](CAboutDlg &dlg) {
        if (way == QLatin1String("ok"))
            QTest::mouseClick(dlg.GetDlgItem(IDOK), Qt::LeftButton);
        else if (way == QLatin1String("enter"))
            QTest::keyClick(dlg.focusWidget(), Qt::Key_Return);
        else if (way == QLatin1String("escape"))
            QTest::keyClick(&dlg, Qt::Key_Escape);
        else
            dlg.close();
        QVERIFY(!dlg.isVisible());
    });
    QCOMPARE(ended, result);
}

QTEST_MAIN(TestAboutDialog)
#include "tst_about_dialog.moc"
