#include "ui/about/LinkChoice.h"

#include <QtTest>

// The link, colour and drawing decisions of a hyperlink label, without windows.
class TestStaticLinkRules : public QObject
{
    Q_OBJECT

private slots:
    void chooseLink_data();
    void chooseLink();
    void chooseLink_textChangedAfterFirstClick_keepsFixedLink();
    void chooseColor_data();
    void chooseColor();
    void drawsAsLink_data();
    void drawsAsLink();
};

void TestStaticLinkRules::chooseLink_data()
{
    QTest::addColumn<QString>("link");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("expected");
    QTest::newRow("e-mail text gets mailto")
        << "" << "lumera@orvane-press.example" << "mailto:lumera@orvane-press.example";
    QTest::newRow("text already with mailto unchanged")
        << "" << "mailto:lumera@orvane-press.example" << "mailto:lumera@orvane-press.example";
    QTest::newRow("mailto in capitals unchanged")
        << "" << "MAILTO:lumera@orvane-press.example" << "MAILTO:lumera@orvane-press.example";
    QTest::newRow("mailto anywhere in the text unchanged")
        << "" << "write: mailto:a@b.example" << "write: mailto:a@b.example";
    QTest::newRow("web address unchanged")
        << "" << "www.orvane-press.example" << "www.orvane-press.example";
    QTest::newRow("web address with @ in its path unchanged")
        << "" << "https://orvane-press.example/@lumera" << "https://orvane-press.example/@lumera";
    QTest::newRow("passed link with @ used as passed")
        << "lumera@orvane-press.example" << "other text" << "lumera@orvane-press.example";
    QTest::newRow("passed link wins over the text")
        << "www.orvane-press.example" << "lumera@orvane-press.example" << "www.orvane-press.example";
    QTest::newRow("empty text and no link") << "" << "" << "";
    QTest::newRow("text of only an at sign") << "" << "@" << "mailto:@";
}

void TestStaticLinkRules::chooseLink()
{
    QFETCH(QString, link);
    QFETCH(QString, text);
    QFETCH(QString, expected);
    QCOMPARE(ChooseLink(link, text), expected);
}

void TestStaticLinkRules::chooseLink_textChangedAfterFirstClick_keepsFixedLink()
{
    const QString fixed = ChooseLink(QString(), QStringLiteral("lumera@orvane-press.example"));
    QCOMPARE(ChooseLink(fixed, QStringLiteral("www.orvane-press.example")),
             QStringLiteral("mailto:lumera@orvane-press.example"));
}

void TestStaticLinkRules::chooseColor_data()
{
    QTest::addColumn<QRgb>("current");
    QTest::addColumn<bool>("opened");
    QTest::addColumn<QRgb>("expected");
    QTest::newRow("opened turns red") << kLinkColorUnvisited << true << qRgb(200, 0, 0);
    QTest::newRow("failure stays blue") << kLinkColorUnvisited << false << qRgb(0, 0, 220);
    QTest::newRow("failure after success stays red") << kLinkColorVisited << false << qRgb(200, 0, 0);
    QTest::newRow("opened again stays red") << kLinkColorVisited << true << qRgb(200, 0, 0);
}

void TestStaticLinkRules::chooseColor()
{
    QFETCH(QRgb, current);
    QFETCH(bool, opened);
    QFETCH(QRgb, expected);
    QCOMPARE(ChooseColor(current, opened), expected);
}

void TestStaticLinkRules::drawsAsLink_data()
{
    QTest::addColumn<quint32>("style");
    QTest::addColumn<bool>("expected");
    QTest::newRow("left text") << quint32(0x50020000) << true;
    QTest::newRow("centred text") << quint32(0x50020001) << true;
    QTest::newRow("right text") << quint32(0x50020002) << true;
    QTest::newRow("icon") << quint32(0x50000003) << false;
    QTest::newRow("bitmap") << quint32(0x5000000E) << false;
    QTest::newRow("left with no prefix") << quint32(0x50020080) << false;
    QTest::newRow("centred with no prefix") << quint32(0x50020081) << false;
    QTest::newRow("centre-image bit above the low byte") << quint32(0x50020200) << true;
}

void TestStaticLinkRules::drawsAsLink()
{
    QFETCH(quint32, style);
    QFETCH(bool, expected);
    QCOMPARE(DrawsAsLink(style), expected);
}

QTEST_GUILESS_MAIN(TestStaticLinkRules)
#include "tst_static_link_rules.moc"
