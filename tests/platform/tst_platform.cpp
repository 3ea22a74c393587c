#include "platform/CBitmapButton.h"
#include "platform/DialogUnits.h"
#include "platform/PictureColours.h"
#include "platform/Resources.h"
#include "res/Resource.h"
#include "tests/ui/DialogTestSupport.h"

#include <QMessageBox>
#include <QtTest>

namespace {

// A dark theme's palette, as the Fusion style is given one.
QPalette DarkPalette()
{
    QPalette dark(QColor(0x35, 0x35, 0x35));
    dark.setColor(QPalette::Window, QColor(0x2A, 0x2A, 0x2A));
    return dark;
}

// The colour of a picture at a point given in its own (scale 1) units.
QRgb At(const QImage &image, QPointF logical)
{
    const qreal scale = image.devicePixelRatio();
    return image.pixel(int(logical.x() * scale), int(logical.y() * scale));
}

} // namespace

class PlatformTest : public QObject
{
    Q_OBJECT

private slots:
    void cleanup() { VerifyNoWindowLeftOpen(); }

    // A picture button shows its pressed picture while the mouse holds it
    // down, and its normal one before and after; without a pressed picture
    // it keeps the normal one.
    void bitmapButton_pressedPictureWhileHeldDown()
    {
        for (bool withDown : {true, false}) {
            QPixmap up(20, 20), down(20, 20);
            up.fill(Qt::green);
            down.fill(Qt::magenta);
            CBitmapButton button;
            button.SetBitmaps(up, withDown ? down : QPixmap());
            button.SizeToContent();
            button.show();
            QVERIFY(QTest::qWaitForWindowExposed(&button));
            const auto centre = [&button] { return button.grab().toImage().pixel(10, 10); };
            QCOMPARE(centre(), QColor(Qt::green).rgb());
            QTest::mousePress(&button, Qt::LeftButton, Qt::NoModifier, QPoint(10, 10));
            QCOMPARE(centre(), QColor(withDown ? Qt::magenta : Qt::green).rgb());
            QTest::mouseRelease(&button, Qt::LeftButton, Qt::NoModifier, QPoint(10, 10));
            QCOMPARE(centre(), QColor(Qt::green).rgb());
        }
    }

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

    // Each picture is drawn for the scale it is shown at: its pixels are
    // the scale times its size, it keeps its size in the dialog, its flat
    // parts are its exact colours, and it holds detail finer than its
    // pixels at scale 1, which no enlarged picture has.
    void bitmap_drawnForTheScale_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<qreal>("scale");
        QTest::addColumn<QSize>("size");
        QTest::addColumn<QPointF>("flat"); // a point inside a flat part
        for (qreal scale : {1.0, 1.5, 2.0}) {
            const QByteArray at = " at " + QByteArray::number(scale);
            QTest::newRow("button" + at) << "DELETEU" << scale << QSize(24, 22) << QPointF(3.5, 3.5);
            QTest::newRow("banner" + at) << "ORVANE" << scale << QSize(200, 48) << QPointF(50.5, 20.5);
            QTest::newRow("maker's mark" + at) << "133" << scale << QSize(103, 26) << QPointF(0.5, 24.5);
        }
    }
    void bitmap_drawnForTheScale()
    {
        QFETCH(QString, name);
        QFETCH(qreal, scale);
        QFETCH(QSize, size);
        QFETCH(QPointF, flat);
        const QPalette palette;
        const QPixmap picture = LoadBitmapResource(name, palette, scale);
        QCOMPARE(picture.devicePixelRatio(), scale);
        QCOMPARE(picture.size(), (QSizeF(size) * scale).toSize());
        QCOMPARE(picture.deviceIndependentSize().toSize(), size);
        const QImage image = picture.toImage();
        const QImage plain = LoadBitmapResource(name, palette, 1.0).toImage();
        QCOMPARE(At(image, flat), At(plain, flat));
        if (scale == 2.0) {
            int uneven = 0; // 2 x 2 blocks whose pixels are not all one colour
            for (int y = 0; y + 1 < image.height(); y += 2) {
                for (int x = 0; x + 1 < image.width(); x += 2) {
                    const QRgb c = image.pixel(x, y);
                    uneven +=
                        image.pixel(x + 1, y) != c || image.pixel(x, y + 1) != c || image.pixel(x + 1, y + 1) != c;
                }
            }
            QVERIFY2(uneven > 0, "enlarged from scale 1");
        }
    }

    // The program's icon holds pictures for scale 1 and the application's
    // scale, each drawn for it, at 16 and 32 pixels.
    void icon_hasPicturesForEachScale()
    {
        const QIcon icon = LoadIconResource(QStringLiteral("IDR_MAINFRAME"), 2.0);
        for (int size : {16, 32}) {
            for (qreal scale : {1.0, 2.0}) {
                const QPixmap pixmap = icon.pixmap(QSize(size, size), scale);
                QCOMPARE(pixmap.size(), QSize(size, size) * scale);
                QVERIFY(!pixmap.toImage().isNull());
            }
        }
    }

    // In a dark palette the pictures on a button face take its colours, and
    // the marks that carry meaning stand out from the face by 3:1 or more.
    void darkPalette_marksStandOut_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QPointF>("mark");
        QTest::addColumn<QPointF>("background");
        QTest::newRow("First: its bar") << "FIRSTU" << QPointF(7.5, 10.5) << QPointF(3.5, 3.5);
        QTest::newRow("First: the arrow's edge") << "FIRSTU" << QPointF(15.5, 10.5) << QPointF(18.5, 10.5);
        QTest::newRow("Last: its bar") << "LASTU" << QPointF(15.5, 10.5) << QPointF(19.5, 10.5);
        QTest::newRow("Last, pressed: its bar") << "LASTD" << QPointF(16.5, 11.5) << QPointF(20.5, 11.5);
        QTest::newRow("New: the page's edge") << "NEWU" << QPointF(6.5, 10.5) << QPointF(4.5, 10.5);
        QTest::newRow("Delete: the cross") << "DELETEU" << QPointF(18.5, 17.5) << QPointF(20.5, 19.5);
        QTest::newRow("maker's mark: ORVANE") << "133" << QPointF(28, 8.5) << QPointF(26.5, 8.5);
        QTest::newRow("maker's mark: its rule") << "133" << QPointF(35, 20.5) << QPointF(35, 23.5);
        QTest::newRow("banner: ORVANE on its own blue") << "ORVANE" << QPointF(57.5, 19) << QPointF(50.5, 20.5);
        QTest::newRow("banner: PRESS's rule") << "ORVANE" << QPointF(80, 38.5) << QPointF(80, 42.5);
    }
    void darkPalette_marksStandOut()
    {
        QFETCH(QString, name);
        QFETCH(QPointF, mark);
        QFETCH(QPointF, background);
        for (qreal scale : {1.0, 2.0}) {
            const QImage image = LoadBitmapResource(name, DarkPalette(), scale).toImage();
            const double contrast = ContrastRatio(At(image, mark), At(image, background));
            QVERIFY2(contrast >= 3.0, qPrintable(QStringLiteral("%1:1 at scale %2").arg(contrast).arg(scale)));
        }
    }

    // What each fixed colour of a picture on a button face becomes in a dark
    // palette; a picture with a background of its own keeps its colours.
    void darkPalette_mappedColours_data()
    {
        QTest::addColumn<QRgb>("drawn");
        // -1: any colour of that hue that stands out by 4.5:1; -2 and -3: unchanged
        QTest::addColumn<int>("role");
        QTest::newRow("face") << qRgb(0xC0, 0xC0, 0xC0) << int(QPalette::Button);
        QTest::newRow("light edge") << qRgb(0xDF, 0xDF, 0xDF) << int(QPalette::Light);
        QTest::newRow("shadow") << qRgb(0x80, 0x80, 0x80) << int(QPalette::Dark);
        QTest::newRow("dark edge") << qRgb(0x40, 0x40, 0x40) << int(QPalette::Shadow);
        QTest::newRow("ink") << qRgb(0, 0, 0) << int(QPalette::ButtonText);
        QTest::newRow("dark blue lettering") << qRgb(0, 0, 0x80) << -1;
        QTest::newRow("dark red lettering") << qRgb(0x80, 0, 0) << -1;
        QTest::newRow("yellow fill") << qRgb(0xFF, 0xFF, 0) << -2;
        QTest::newRow("white page") << qRgb(0xFF, 0xFF, 0xFF) << -2;
        QTest::newRow("light face: yellow fill") << qRgb(0xFF, 0xFF, 0) << -3;
        QTest::newRow("light face: dark blue lettering") << qRgb(0, 0, 0x80) << -3;
    }
    void darkPalette_mappedColours()
    {
        QFETCH(QRgb, drawn);
        QFETCH(int, role);
        // -3: the same colour on a light face (a light theme's), unchanged
        const QPalette dark = role == -3 ? QPalette(QColor(0xEF, 0xEF, 0xEF)) : DarkPalette();
        const QList<QRgb> used{qRgb(0xC0, 0xC0, 0xC0), drawn};
        const ColourMap map = PictureColourMap(used, dark);
        const auto found = std::find_if(map.cbegin(), map.cend(), [drawn](const auto &e) { return e.first == drawn; });
        const QRgb mapped = found == map.cend() ? drawn : found->second;
        if (role >= 0) {
            QCOMPARE(mapped, dark.color(QPalette::ColorRole(role)).rgb());
        } else if (role == -1) {
            QVERIFY(ContrastRatio(mapped, dark.color(QPalette::Button).rgb()) >= 4.5);
            QCOMPARE(QColor(mapped).hue(), QColor(drawn).hue());
        } else {
            QCOMPARE(mapped, drawn);
        }
        QVERIFY(PictureColourMap({drawn, qRgb(0, 0, 0x80)}, dark).isEmpty() || drawn == qRgb(0xC0, 0xC0, 0xC0));
    }
};

QTEST_MAIN(PlatformTest)
#include "tst_platform.moc"
