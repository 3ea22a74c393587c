#include "data/TextEncoding.h"

#include <QTest>

class TestTextEncoding : public QObject
{
    Q_OBJECT

private slots:
    void detect_data();
    void detect();
    void encode_data();
    void encode();
};

void TestTextEncoding::detect_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<bool>("utf8");
    QTest::newRow("empty") << QByteArray() << true;
    QTest::newRow("typographic quote") << QByteArray("God\xE2\x80\x99s image") << true;
    QTest::newRow("four-byte sequence") << QByteArray("\xF0\x9F\x93\x96 book") << true;
    QTest::newRow("Windows-1250 letters") << QByteArray("\xC8"
                                                        "as a \x9E"
                                                        "ivot")
                                          << false;
    QTest::newRow("truncated sequence at the end") << QByteArray("abcdefgh\xE2\x80") << false;
    QTest::newRow("bad last byte of a sequence") << QByteArray("\xE2\x80"
                                                               "A")
                                                 << false;
    QTest::newRow("overlong encoding") << QByteArray("\xC0\xAF") << false;
    QTest::newRow("surrogate") << QByteArray("\xED\xA0\x80") << false;
    QTest::newRow("beyond U+10FFFF") << QByteArray("\xF4\x90\x80\x80") << false;
    QTest::newRow("high byte after eight ASCII bytes") << QByteArray("12345678\xE8") << false;
}

void TestTextEncoding::detect()
{
    QFETCH(QByteArray, bytes);
    QFETCH(bool, utf8);
    QCOMPARE(TextEncoding::Detect(bytes).kind(), utf8 ? TextEncoding::Kind::Utf8 : TextEncoding::Kind::Windows1250);
}

// Each text that can be stored comes back from its bytes unchanged.
void TestTextEncoding::encode_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("bytes"); // null: the encoding cannot hold the text
    const int utf8 = int(TextEncoding::Kind::Utf8);
    const int cp1250 = int(TextEncoding::Kind::Windows1250);
    QTest::newRow("Czech in Windows-1250") << cp1250 << QStringLiteral("Žalm 23,1 šťžČčřů")
                                           << QByteArray("\x8E"
                                                         "alm 23,1 \x9A\x9D\x9E\xC8\xE8\xF8\xF9");
    QTest::newRow("Greek not in Windows-1250") << cp1250 << QStringLiteral("λόγος") << QByteArray();
    QTest::newRow("question mark is storable") << cp1250 << QStringLiteral("why?") << QByteArray("why?");
    QTest::newRow("Greek in UTF-8") << utf8 << QStringLiteral("λ") << QByteArray("\xCE\xBB");
    QTest::newRow("lone surrogate in UTF-8") << utf8 << QString(QChar(0xD800)) << QByteArray();
}

void TestTextEncoding::encode()
{
    QFETCH(int, kind);
    QFETCH(QString, text);
    QFETCH(QByteArray, bytes);
    const TextEncoding encoding{TextEncoding::Kind(kind)};
    const std::optional<QByteArray> encoded = encoding.Encode(text);
    QCOMPARE(encoded.has_value(), !bytes.isNull());
    if (encoded) {
        QCOMPARE(*encoded, bytes);
        QCOMPARE(encoding.Decode(bytes), text);
    }
}

QTEST_GUILESS_MAIN(TestTextEncoding)
#include "tst_text_encoding.moc"
