#include "platform/DialogTemplate.h"
#include "platform/DialogUnits.h"

#include <QFontDatabase>
#include <QFontMetrics>
#include <QtTest>

class DialogUnitsTest : public QObject
{
    Q_OBJECT

private slots:
    void mapDialogRect_scalesEdgesByBaseUnits_data();
    void mapDialogRect_scalesEdgesByBaseUnits();
    void dialogBaseUnits_areAverageLetterWidthAndLineHeight();
    void dialogFont_fallsBackToDesktopSans();
};

void DialogUnitsTest::mapDialogRect_scalesEdgesByBaseUnits_data()
{
    QTest::addColumn<QRect>("dlu");
    QTest::addColumn<QSize>("base");
    QTest::addColumn<QRect>("expected");
    QTest::newRow("4x8 is identity") << QRect(10, 20, 30, 40) << QSize(4, 8)
                                     << QRect(10, 20, 30, 40);
    QTest::newRow("8x16 doubles") << QRect(10, 20, 30, 40) << QSize(8, 16) << QRect(20, 40, 60, 80);
    // edges 247.5, 308.75, 322.5, 331.5: halves round up
    QTest::newRow("exit button 6x13") << QRect(165, 190, 50, 14) << QSize(6, 13)
                                      << QRect(248, 309, 75, 23);
    // edges 17.5, 103.125, 376.25, 131.25
    QTest::newRow("title field 7x15") << QRect(10, 55, 205, 15) << QSize(7, 15)
                                      << QRect(18, 103, 358, 28);
    // the edges are rounded, not the size: x 1..2 maps to 1.5..3
    QTest::newRow("size from edges") << QRect(1, 0, 1, 0) << QSize(6, 8) << QRect(2, 0, 1, 0);
}

void DialogUnitsTest::mapDialogRect_scalesEdgesByBaseUnits()
{
    QFETCH(QRect, dlu);
    QFETCH(QSize, base);
    QFETCH(QRect, expected);
    QCOMPARE(MapDialogRect(dlu, base), expected);
}

void DialogUnitsTest::dialogBaseUnits_areAverageLetterWidthAndLineHeight()
{
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(11);
    const QFontMetrics metrics(font);
    const QString letters = QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");
    const QSize base = DialogBaseUnits(font);
    QCOMPARE(base.width(), qRound(metrics.horizontalAdvance(letters) / 52.0));
    QCOMPARE(base.height(), metrics.height());
}

void DialogUnitsTest::dialogFont_fallsBackToDesktopSans()
{
    const QString missing = QStringLiteral("No Such Face For Dialogs");
    QVERIFY(!QFontDatabase::families().contains(missing));
    QString desktop = QFontDatabase::systemFont(QFontDatabase::GeneralFont).family();
    if (desktop.isEmpty())
        desktop = QStringLiteral("Sans Serif");
    const QFont font = DialogFont({1, {}, missing, 8, 10, 10, 0, 0, {}});
    QCOMPARE(font.family(), desktop);
    QCOMPARE(font.pointSize(), 8);
    QCOMPARE(DialogFont({1, {}, QStringLiteral("DejaVu Sans"), 8, 10, 10, 0, 0, {}}).family(),
             QStringLiteral("DejaVu Sans"));
}

QTEST_MAIN(DialogUnitsTest)
#include "tst_dialogunits.moc"
