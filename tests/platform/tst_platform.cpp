#include "platform/DialogUnits.h"
#include "platform/Resources.h"
#include "res/Resource.h"
#include "tests/ui/DialogTestSupport.h"

#include <QMessageBox>
#include <QtTest>

class PlatformTest : public QObject
{
    Q_OBJECT

private slots:
    void cleanup() { VerifyNoWindowLeftOpen(); }

    // Halves round up; the edges are rounded, not the size (x 1..2 maps to 1.5..3).
    void mapDialogRect_roundsTheScaledEdges()
    {
        QCOMPARE(MapDialogRect(QRect(165, 190, 50, 14), QSize(6, 13)), QRect(248, 309, 75, 23));
        QCOMPARE(MapDialogRect(QRect(1, 0, 1, 0), QSize(6, 8)), QRect(2, 0, 1, 0));
    }

    // The real box: the first button is the default, Escape answers the last.
    void messageBox_showsTheBoxAndGivesTheAnswer_data()
    {
        QTest::addColumn<unsigned>("type");
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("answer");
        QTest::newRow("Yes/No, Return") << unsigned(MB_YESNO) << int(Qt::Key_Return) << IDYES;
        QTest::newRow("Yes/No, Escape") << unsigned(MB_YESNO) << int(Qt::Key_Escape) << IDNO;
        QTest::newRow("Retry, Return") << unsigned(MB_RETRYCANCEL) << int(Qt::Key_Return) << IDRETRY;
        QTest::newRow("Retry, Escape") << unsigned(MB_RETRYCANCEL) << int(Qt::Key_Escape) << IDCANCEL;
    }
    void messageBox_showsTheBoxAndGivesTheAnswer()
    {
        QFETCH(unsigned, type);
        QFETCH(int, key);
        QFETCH(int, answer);
        AnswerNextBox(Qt::Key(key), [](QMessageBox &box) {
            QCOMPARE(box.windowTitle(), QStringLiteral("tst_platform")); // the program's name
            QCOMPARE(box.text(), QStringLiteral("Delete?"));
            QCOMPARE(box.icon(), QMessageBox::Question);
        });
        QCOMPARE(AfxMessageBox(QStringLiteral("Delete?"), type | MB_ICONQUESTION), answer);
    }

    // The pictures' fixed greys take the palette's button colours; the rest stays.
    void bitmap_fixedGreysTakeThePalettesColours()
    {
        const QPalette palette(QColor(0x35, 0x35, 0x35));
        const QImage up = LoadBitmapResource(QStringLiteral("FIRSTU"), palette).toImage();
        QCOMPARE(up.pixel(3, 3), palette.color(QPalette::Button).rgba()); // face
        QCOMPARE(up.pixel(0, 0), palette.color(QPalette::Light).rgba());
        QCOMPARE(up.pixel(22, 20), palette.color(QPalette::Dark).rgba()); // shadow
        QCOMPARE(up.pixel(23, 21), qRgb(0, 0, 0)); // outer edge
        QCOMPARE(up.pixel(12, 10), qRgb(0xFF, 0xFF, 0)); // the arrow
        const QImage numbered = LoadBitmapResource(QStringLiteral("133"), palette).toImage();
        QCOMPARE(numbered.pixel(0, 0), palette.color(QPalette::Button).rgba());
    }
};

QTEST_MAIN(PlatformTest)
#include "tst_platform.moc"
