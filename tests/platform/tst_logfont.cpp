#include "platform/LogFont.h"

#include <QFontMetrics>
#include <QtTest>

#include <climits>
#include <cstring>

namespace {

QFont Create(int height, int weight = 400, bool italic = false, const char *face = "DejaVu Sans")
{
    LogFont lf;
    SetFaceName(lf, QByteArray(face));
    lf.lfHeight = height;
    lf.lfWeight = weight;
    lf.lfItalic = italic;
    return CreateFontIndirect(lf);
}

} // namespace

class LogFontTest : public QObject
{
    Q_OBJECT

private slots:
    void styleBits_giveItalicAndWeight_data();
    void styleBits_giveItalicAndWeight();
    void height_negativeIsCharacterZeroIsDefault();
    void positiveHeight_isTheLargestCellNotAbove_data();
    void positiveHeight_isTheLargestCellNotAbove();
    void absurdHeights_areClamped_data();
    void absurdHeights_areClamped();
    void faceName_isUtf8CutAt31BytesOnACharacterBoundary_data();
    void faceName_isUtf8CutAt31BytesOnACharacterBoundary();
};

void LogFontTest::styleBits_giveItalicAndWeight_data()
{
    QTest::addColumn<int>("weight");
    QTest::addColumn<bool>("italic");
    QTest::addColumn<QFont::Weight>("expected");
    QTest::newRow("bold italic") << 700 << true << QFont::Bold;
    QTest::newRow("italic") << 400 << true << QFont::Normal;
    QTest::newRow("weight 0 is normal") << 0 << false << QFont::Normal;
}

void LogFontTest::styleBits_giveItalicAndWeight()
{
    QFETCH(int, weight);
    QFETCH(bool, italic);
    QFETCH(QFont::Weight, expected);
    const QFont font = Create(16, weight, italic, "DejaVu Serif");
    QCOMPARE(font.italic(), italic);
    QCOMPARE(font.weight(), expected);
    QCOMPARE(font.family(), QStringLiteral("DejaVu Serif"));
}

void LogFontTest::height_negativeIsCharacterZeroIsDefault()
{
    QCOMPARE(Create(-12).pixelSize(), 12);
    QCOMPARE(Create(0).pixelSize(), QFont().pixelSize());
    QCOMPARE(Create(0).pointSizeF(), QFont().pointSizeF());
}

void LogFontTest::positiveHeight_isTheLargestCellNotAbove_data()
{
    QTest::addColumn<int>("height");
    QTest::newRow("16") << 16;
    QTest::newRow("18") << 18;
    QTest::newRow("40") << 40;
}

void LogFontTest::positiveHeight_isTheLargestCellNotAbove()
{
    QFETCH(int, height);
    const QFont font = Create(height);
    QVERIFY(font.pixelSize() < height); // a cell is taller than its characters
    QVERIFY(QFontMetrics(font).height() <= height);
    QFont larger = font;
    larger.setPixelSize(font.pixelSize() + 1);
    QVERIFY(QFontMetrics(larger).height() > height);
}

void LogFontTest::absurdHeights_areClamped_data()
{
    QTest::addColumn<int>("height");
    QTest::addColumn<int>("maxPixels");
    QTest::newRow("huge character") << -1000000 << kMaxFontPixels;
    QTest::newRow("most negative") << INT_MIN << kMaxFontPixels;
    QTest::newRow("huge cell") << INT_MAX << kMaxFontPixels;
    QTest::newRow("tiny cell") << 1 << kMinFontPixels;
}

void LogFontTest::absurdHeights_areClamped()
{
    QFETCH(int, height);
    QFETCH(int, maxPixels);
    const int pixels = Create(height).pixelSize();
    QVERIFY(pixels >= kMinFontPixels && pixels <= maxPixels);
}

void LogFontTest::faceName_isUtf8CutAt31BytesOnACharacterBoundary_data()
{
    QTest::addColumn<QByteArray>("name");
    QTest::addColumn<QString>("family");
    QTest::newRow("Czech letters") << QByteArray("P\xC5\x99\xC3\xADli\xC5\xA1")
                                   << QStringLiteral("P\u0159\u00EDli\u0161");
    QTest::newRow("40 letters") << QByteArray(40, 'a') << QString(31, QLatin1Char('a'));
    // 30 letters, then a two-byte letter that would need bytes 31 and 32
    QTest::newRow("split letter") << QByteArray(30, 'a') + "\xC5\x99"
                                  << QString(30, QLatin1Char('a'));
}

void LogFontTest::faceName_isUtf8CutAt31BytesOnACharacterBoundary()
{
    QFETCH(QByteArray, name);
    QFETCH(QString, family);
    LogFont lf;
    std::memset(lf.lfFaceName, 'x', sizeof lf.lfFaceName);
    SetFaceName(lf, name);
    QCOMPARE(lf.lfFaceName[31], '\0');
    QCOMPARE(CreateFontIndirect(lf).family(), family);
}

QTEST_MAIN(LogFontTest)
#include "tst_logfont.moc"
