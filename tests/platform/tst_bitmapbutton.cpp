#include "platform/CBitmapButton.h"
#include "platform/CDialog.h"
#include "platform/Resources.h"
#include "res/DialogTemplates.h"
#include "res/Resource.h"

#include <QtTest>

// The pictures come from the test's own resources: TstBtnU (red, 24 x 22),
// TstBtnD (blue, 24 x 22), TstOnlyU (green, 30 x 10, no down image), icon
// TSTICON (32 and 16) and cursor TST_CURSOR (hot spot 6, 0).
class BitmapButtonTest : public QObject
{
    Q_OBJECT

private slots:
    void autoLoad_findsCaptionUAndDRegardlessOfCase_andSizesToThem();
    void missingImage_failsSoft();
    void paint_showsDownImageOnlyWhilePressed_neverText_data();
    void paint_showsDownImageOnlyWhilePressed_neverText();
    void iconAndCursor_loadBothSizesAndTheHotSpot();
};

void BitmapButtonTest::autoLoad_findsCaptionUAndDRegardlessOfCase_andSizesToThem()
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

void BitmapButtonTest::missingImage_failsSoft()
{
    CBitmapButton button;
    button.resize(40, 40);
    QVERIFY(!button.LoadBitmaps(QStringLiteral("NoSuchPicture")));
    QVERIFY(button.UpBitmap().isNull());
    button.SizeToContent();
    QCOMPARE(button.size(), QSize(40, 40));
}

void BitmapButtonTest::paint_showsDownImageOnlyWhilePressed_neverText_data()
{
    QTest::addColumn<QString>("up");
    QTest::addColumn<QString>("down");
    QTest::addColumn<bool>("pressed");
    QTest::addColumn<QColor>("expected");
    QTest::newRow("up") << "TstBtnU" << "TstBtnD" << false << QColor(Qt::red);
    QTest::newRow("pressed") << "TstBtnU" << "TstBtnD" << true << QColor(Qt::blue);
    QTest::newRow("pressed, no down image") << "TstOnlyU" << "" << true << QColor(Qt::green);
}

void BitmapButtonTest::paint_showsDownImageOnlyWhilePressed_neverText()
{
    QFETCH(QString, up);
    QFETCH(QString, down);
    QFETCH(bool, pressed);
    QFETCH(QColor, expected);
    CBitmapButton button;
    button.setText(QStringLiteral("WWWWWW"));
    button.LoadBitmaps(up, down);
    button.SizeToContent();
    button.setDown(pressed);
    const QImage image = button.grab().toImage();
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x)
            QCOMPARE(QColor(image.pixel(x, y)), expected);
    }
}

void BitmapButtonTest::iconAndCursor_loadBothSizesAndTheHotSpot()
{
    const QList<QSize> sizes = LoadIconResource(QStringLiteral("TstIcon")).availableSizes();
    QCOMPARE(sizes.size(), 2);
    QVERIFY(sizes.contains(QSize(32, 32)) && sizes.contains(QSize(16, 16)));
    const std::optional<QCursor> cursor = LoadCursorResource(QStringLiteral("tst_cursor"));
    QVERIFY(cursor.has_value());
    QCOMPARE(cursor->hotSpot(), QPoint(6, 0));
    QVERIFY(!LoadCursorResource(QStringLiteral("NoSuchCursor")).has_value());
    QVERIFY(LoadIconResource(QStringLiteral("NoSuchIcon")).isNull());
}

QTEST_MAIN(BitmapButtonTest)
#include "tst_bitmapbutton.moc"
