#include "platform/CBitmapButton.h"
#include "platform/CDataExchange.h"
#include "platform/CDialog.h"
#include "platform/CToolTipCtrl.h"
#include "platform/DialogUnits.h"
#include "platform/LogFont.h"
#include "platform/MessageBox.h"
#include "platform/Resources.h"
#include "platform/UrlOpener.h"
#include "res/DialogTemplates.h"
#include "res/Resource.h"

#include <QDesktopServices>
#include <QEnterEvent>
#include <QLabel>
#include <QPushButton>
#include <QScopeGuard>
#include <QToolTip>
#include <QtTest>

#include <climits>

namespace {

// An editor dialog that exchanges its two fields and counts their change notifications.
class EditorDialog : public CDialog
{
public:
    EditorDialog()
        : CDialog(LoadDialogTemplate(IDD_VERSE_EDITOR))
    {
        OnChange(IDC_TITLE, [this] { ++changes; });
        OnChange(IDC_CONTENTS, [this] { ++changes; });
    }
    QString title, contents;
    int changes = 0;

    void DoDataExchange(CDataExchange *pDX) override
    {
        DDX_Text(pDX, IDC_TITLE, title);
        DDX_Text(pDX, IDC_CONTENTS, contents);
    }
};

} // namespace

// The test's own bitmaps: TstBtnU is red, TstBtnD blue, both 24 x 22.
class PlatformTest : public QObject
{
    Q_OBJECT

public slots:
    void open(const QUrl &url) { m_opened.append(url); }

private slots:
    void mapDialogRect_roundsTheScaledEdges_data()
    {
        QTest::addColumn<QRect>("dlu");
        QTest::addColumn<QSize>("base");
        QTest::addColumn<QRect>("expected");
        QTest::newRow("8x16") << QRect(10, 20, 30, 40) << QSize(8, 16) << QRect(20, 40, 60, 80);
        // edges 247.5, 308.75, 322.5, 331.5: halves round up
        QTest::newRow("6x13") << QRect(165, 190, 50, 14) << QSize(6, 13) << QRect(248, 309, 75, 23);
        // edges 17.5, 103.125, 376.25, 131.25
        QTest::newRow("7x15") << QRect(10, 55, 205, 15) << QSize(7, 15) << QRect(18, 103, 358, 28);
        // the edges are rounded, not the size: x 1..2 maps to 1.5..3
        QTest::newRow("size from edges") << QRect(1, 0, 1, 0) << QSize(6, 8) << QRect(2, 0, 1, 0);
    }
    void mapDialogRect_roundsTheScaledEdges()
    {
        QFETCH(QRect, dlu);
        QFETCH(QSize, base);
        QFETCH(QRect, expected);
        QCOMPARE(MapDialogRect(dlu, base), expected);
    }

    void builder_makesEachControlInPlace_data()
    {
        QTest::addColumn<int>("dialogId");
        QTest::addColumn<QString>("kinds");
        QTest::addColumn<QList<int>>("tabOrder");
        QTest::addColumn<bool>("readOnly"); // of every field
        QTest::newRow("main") << IDD_LUMERA_DIALOG
            << "QPushButton QPushButton QLineEdit QLineEdit QPlainTextEdit QLabel CBitmapButton "
               "QLabel"
            << QList<int>{IDOK, IDC_ANOTHER, IDC_TITLE, IDC_NUMBER, IDC_CONTENTS, IDC_LICPICT}
            << true;
        QTest::newRow("editor") << IDD_VERSE_EDITOR
            << "QLabel QLineEdit QLabel QLineEdit QLabel QPlainTextEdit QPushButton CBitmapButton "
               "CBitmapButton CBitmapButton CBitmapButton CBitmapButton CBitmapButton QLabel"
            << QList<int>{IDC_TITLE, IDC_NUMBER, IDC_CONTENTS, IDOK, IDC_FIRST, IDC_PREV,
                          IDC_NEXT, IDC_LAST, IDC_NEW, IDC_DELETE}
            << false;
        QTest::newRow("about") << IDD_ABOUTBOX
            << "QLabel QLabel QLabel QPushButton QGroupBox QLabel QLabel QLabel QLabel QLabel "
               "QLabel"
            << QList<int>{IDOK} << false;
    }
    void builder_makesEachControlInPlace()
    {
        QFETCH(int, dialogId);
        QFETCH(QString, kinds);
        QFETCH(QList<int>, tabOrder);
        QFETCH(bool, readOnly);
        const DialogTemplate &tmpl = LoadDialogTemplate(dialogId);
        CDialog dialog(tmpl);
        dialog.CreateControls();
        const QFontMetrics metrics(DialogFont(tmpl));
        const QString letters = QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZ");
        const int width = metrics.horizontalAdvance(letters + letters.toLower());
        const QSize base(qRound(width / 52.0), metrics.height());
        QStringList made;
        for (int i = 0; i < tmpl.controls.size(); ++i) {
            const ControlTemplate &c = tmpl.controls.at(i);
            QWidget *control = dialog.Controls().at(i);
            made.append(QString::fromLatin1(control->metaObject()->className()));
            auto *label = qobject_cast<QLabel *>(control);
            if (!label || label->pixmap().isNull()) // an image static takes its image's size
                QCOMPARE(control->geometry(), MapDialogRect(QRect(c.x, c.y, c.cx, c.cy), base));
            if (c.id != IDC_STATIC)
                QCOMPARE(dialog.GetDlgItem(c.id), control);
            if (control->inherits("QLineEdit") || control->inherits("QPlainTextEdit"))
                QCOMPARE(control->property("readOnly").toBool(), readOnly);
        }
        QCOMPARE(made.join(QLatin1Char(' ')), kinds);
        QList<int> chain; // the tab stops in the order Tab visits them
        for (QWidget *w = dialog.nextInFocusChain(); w != &dialog; w = w->nextInFocusChain()) {
            if (w->focusPolicy() != Qt::NoFocus && w->parentWidget() == &dialog)
                chain.append(w->property("dlgCtrlId").toInt());
        }
        QCOMPARE(chain, tabOrder);
    }

    void updateData_fillsAndReads_withoutChangeNotifications()
    {
        EditorDialog dialog;
        QVERIFY(!dialog.UpdateData(false)); // no controls yet
        dialog.CreateControls();
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        dialog.title = QStringLiteral("John 3:16");
        dialog.contents = QStringLiteral("Love is patient,\nlove is kind.");
        QVERIFY(dialog.UpdateData(false));
        QCOMPARE(dialog.GetDlgItemText(IDC_CONTENTS), dialog.contents);
        QCOMPARE(dialog.changes, 0);
        QTest::keyClick(dialog.GetDlgItem(IDC_TITLE), Qt::Key_A);
        QTest::keyClick(dialog.GetDlgItem(IDC_CONTENTS), Qt::Key_B);
        QCOMPARE(dialog.changes, 2);
        QVERIFY(dialog.UpdateData(true));
        QCOMPARE(dialog.title, QStringLiteral("aJohn 3:16")); // a filled field shows its start
    }

    void messageBox_seamGetsCaptionTypeOwnerAndGivesTheAnswer()
    {
        QList<MessageBoxRequest> seen;
        const auto reset = qScopeGuard([] { MessageBoxSeam::Reset(); });
        MessageBoxSeam::SetHandler([&](const MessageBoxRequest &r) {
            seen.append(r);
            return seen.size() == 1 ? IDNO : IDOK;
        });
        QWidget owner;
        QCOMPARE(AfxMessageBox(QStringLiteral("Delete?"), MB_YESNO | MB_ICONQUESTION), IDNO);
        QCOMPARE(MessageBox(&owner, QStringLiteral("Info"), QStringLiteral("Edition")), IDOK);
        QCOMPARE(seen.size(), 2);
        QCOMPARE(seen[0].caption, QStringLiteral("tst_platform")); // the program's name
        QCOMPARE(seen[0].text, QStringLiteral("Delete?"));
        QCOMPARE(seen[0].type, MB_YESNO | MB_ICONQUESTION);
        QCOMPARE(seen[1].owner, &owner);
        QCOMPARE(seen[1].caption, QStringLiteral("Edition"));
    }

    void bitmapButton_autoLoadsCaptionUAndDRegardlessOfCase_andSizesToThem()
    {
        CDialog dialog(LoadDialogTemplate(IDD_VERSE_EDITOR));
        dialog.CreateControls();
        auto *first = qobject_cast<CBitmapButton *>(dialog.GetDlgItem(IDC_FIRST));
        QVERIFY(first);
        const QPoint place = first->pos();
        first->setText(QStringLiteral("tstBTN"));
        QVERIFY(!first->AutoLoad(IDC_PREV, &dialog)); // not that control
        QVERIFY(first->AutoLoad(IDC_FIRST, &dialog));
        QCOMPARE(first->geometry(), QRect(place, QSize(24, 22)));
        QCOMPARE(first->DownBitmap().size(), QSize(24, 22));
    }

    void bitmapButton_paintsDownImageOnlyWhilePressed_neverText_data()
    {
        QTest::addColumn<QString>("down");
        QTest::addColumn<bool>("pressed");
        QTest::addColumn<QColor>("expected");
        QTest::newRow("up") << "TstBtnD" << false << QColor(Qt::red);
        QTest::newRow("pressed") << "TstBtnD" << true << QColor(Qt::blue);
        QTest::newRow("pressed, no down image") << "" << true << QColor(Qt::red);
    }
    void bitmapButton_paintsDownImageOnlyWhilePressed_neverText()
    {
        QFETCH(QString, down);
        QFETCH(bool, pressed);
        QFETCH(QColor, expected);
        CBitmapButton button;
        button.setText(QStringLiteral("WWWWWW"));
        QVERIFY(button.LoadBitmaps(QStringLiteral("TstBtnU"), down));
        button.SizeToContent();
        button.setDown(pressed);
        const QImage image = button.grab().toImage();
        QImage filled(QSize(24, 22), image.format());
        filled.fill(expected);
        QCOMPARE(image, filled);
    }

    // The pictures' fixed greys take the palette's button colours; the rest stays.
    void bitmap_fixedGreysTakeThePalettesColours_data()
    {
        QTest::addColumn<QColor>("button");
        QTest::newRow("light") << QColor(0xEF, 0xEF, 0xEF);
        QTest::newRow("dark") << QColor(0x35, 0x35, 0x35);
    }
    void bitmap_fixedGreysTakeThePalettesColours()
    {
        QFETCH(QColor, button);
        const QPalette palette(button);
        const QImage up = LoadBitmapResource(QStringLiteral("FIRSTU"), palette).toImage();
        QCOMPARE(up.pixel(3, 3), button.rgba()); // face
        QCOMPARE(up.pixel(0, 0), palette.color(QPalette::Light).rgba());
        QCOMPARE(up.pixel(22, 20), palette.color(QPalette::Dark).rgba()); // shadow
        QCOMPARE(up.pixel(23, 21), qRgb(0, 0, 0)); // outer edge
        QCOMPARE(up.pixel(12, 10), qRgb(0xFF, 0xFF, 0)); // the arrow
        QCOMPARE(LoadBitmapResource(QStringLiteral("133"), palette).toImage().pixel(0, 0), button.rgba());
    }

    void toolTip_showsOnlyForARegisteredToolWhileActive()
    {
        QWidget window;
        auto *tool = new QPushButton(QStringLiteral("First"), &window);
        auto *other = new QPushButton(QStringLiteral("Other"), &window);
        CToolTipCtrl tip;
        QVERIFY(tip.Create(&window));
        QVERIFY(tip.AddTool(tool, QStringLiteral("First verse")));
        tip.SetDelay(20);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        const auto enter = [&tip](QWidget *widget) {
            QEnterEvent event(QPointF(2, 2), QPointF(2, 2), widget->mapToGlobal(QPointF(2, 2)));
            tip.RelayEvent(widget, &event);
        };
        enter(other);
        QCOMPARE(tip.CurrentTool(), nullptr);
        tip.Activate(false);
        enter(tool);
        QCOMPARE(tip.CurrentTool(), nullptr);
        tip.Activate(true);
        enter(tool);
        QVERIFY(!tip.IsTipShown()); // not before the delay
        QTRY_VERIFY(tip.IsTipShown());
        QTRY_COMPARE(QToolTip::text(), QStringLiteral("First verse"));
        QEvent leave(QEvent::Leave);
        tip.RelayEvent(tool, &leave);
        QVERIFY(!tip.IsTipShown());
    }

    void shellOpen_handsTheLinkToItsHandler_data()
    {
        QTest::addColumn<QString>("link");
        QTest::addColumn<QUrl>("opened"); // empty: nothing opened
        QTest::newRow("no scheme") << "www.orvane.example" << QUrl("http://www.orvane.example");
        QTest::newRow("host with port")
            << "www.orvane.example:8080" << QUrl("http://www.orvane.example:8080");
        QTest::newRow("mailto") << "mailto:a@orvane.example" << QUrl("mailto:a@orvane.example");
        QTest::newRow("https") << "https://o.example/a?b=c" << QUrl("https://o.example/a?b=c");
        QTest::newRow("blank") << "   " << QUrl();
    }
    void shellOpen_handsTheLinkToItsHandler()
    {
        QFETCH(QString, link);
        QFETCH(QUrl, opened);
        const QStringList schemes{QStringLiteral("http"), QStringLiteral("https"),
                                  QStringLiteral("mailto")};
        for (const QString &scheme : schemes)
            QDesktopServices::setUrlHandler(scheme, this, "open");
        const auto unset = qScopeGuard([&] {
            for (const QString &scheme : schemes)
                QDesktopServices::unsetUrlHandler(scheme);
        });
        m_opened.clear();
        QCOMPARE(ShellOpen(link), !opened.isEmpty());
        QCOMPARE(m_opened, opened.isEmpty() ? QList<QUrl>() : QList<QUrl>{opened});
    }

    // pixels 0: the largest size whose line height is within the cell height.
    void createFontIndirect_givesHeightWeightAndSlant_data()
    {
        QTest::addColumn<int>("height");
        QTest::addColumn<int>("weight");
        QTest::addColumn<bool>("italic");
        QTest::addColumn<int>("pixels");
        QTest::addColumn<QFont::Weight>("expectedWeight");
        const QFont::Weight normal = QFont::Normal;
        QTest::newRow("bold italic character") << -12 << 700 << true << 12 << QFont::Bold;
        QTest::newRow("weight 0 is normal") << -12 << 0 << false << 12 << normal;
        QTest::newRow("default height") << 0 << 400 << false << QFont().pixelSize() << normal;
        QTest::newRow("cell 16") << 16 << 400 << false << 0 << normal;
        QTest::newRow("cell 40") << 40 << 400 << true << 0 << normal;
        QTest::newRow("huge character") << -1000000 << 400 << false << kMaxFontPixels << normal;
        QTest::newRow("most negative") << INT_MIN << 400 << false << kMaxFontPixels << normal;
        QTest::newRow("huge cell") << INT_MAX << 400 << false << kMaxFontPixels << normal;
        QTest::newRow("tiny cell") << 1 << 400 << false << kMinFontPixels << normal;
    }
    void createFontIndirect_givesHeightWeightAndSlant()
    {
        QFETCH(int, height);
        QFETCH(int, weight);
        QFETCH(bool, italic);
        QFETCH(int, pixels);
        QFETCH(QFont::Weight, expectedWeight);
        LogFont lf;
        SetFaceName(lf, QByteArrayLiteral("DejaVu Serif"));
        lf.lfHeight = height;
        lf.lfWeight = weight;
        lf.lfItalic = italic;
        QFont font = CreateFontIndirect(lf);
        QCOMPARE(font.family(), QStringLiteral("DejaVu Serif"));
        QCOMPARE(font.italic(), italic);
        QCOMPARE(font.weight(), expectedWeight);
        if (pixels != 0) {
            QCOMPARE(font.pixelSize(), pixels);
            return;
        }
        QVERIFY(QFontMetrics(font).height() <= height);
        font.setPixelSize(font.pixelSize() + 1);
        QVERIFY(QFontMetrics(font).height() > height);
    }

private:
    QList<QUrl> m_opened;
};

QTEST_MAIN(PlatformTest)
#include "tst_platform.moc"
