#include "data/TextEncoding.h"

#include <QTest>

class TestTextEncoding : public QObject
{
    Q_OBJECT

private slots:
    void detect_data();
    void detect();
    void decode_windows1250();
    void encode_data();
    void encode();
};

void TestTextEncoding::detect_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<bool>("utf8");
    QTest::newRow("empty") << QByteArray() << true;
    QTest::newRow("ASCII") << QByteArray("In the beginning God created the heavens and the earth.") << true;
    QTest::newRow("typographic quote") << QByteArray("God\xE2\x80\x99s image") << true;
    QTest::newRow("four-byte sequence") << QByteArray("\xF0\x9F\x93\x96 book") << true;
    QTest::newRow("Windows-1250 letters") << QByteArray("\xC8" "as a \x9E" "ivot") << false;
    QTest::newRow("truncated sequence at the end") << QByteArray("abcdefgh\xE2\x80") << false;
    QTest::newRow("overlong encoding") << QByteArray("\xC0\xAF") << false;
    QTest::newRow("surrogate") << QByteArray("\xED\xA0\x80") << false;
    QTest::newRow("beyond U+10FFFF") << QByteArray("\xF4\x90\x80\x80") << false;
    QTest::newRow("high byte after eight ASCII bytes") << QByteArray("12345678\xE8") << false;
}

void TestTextEncoding::detect()
{
    QFETCH(QByteArray, bytes);
    QFETCH(bool, utf8);
    QCOMPARE(TextEncoding::IsValidUtf8(bytes), utf8);
    QCOMPARE(TextEncoding::Detect(bytes).kind(),
             utf8 ? TextEncoding::Kind::Utf8 : TextEncoding::Kind::Windows1250);
}

void TestTextEncoding::decode_windows1250()
{
    const TextEncoding cp1250(TextEncoding::Kind::Windows1250);
    QCOMPARE(cp1250.Decode("\x8E" "alm 23,1 \x9A\x9D\x9E\xC8\xE8\xF8\xF9"), QStringLiteral("Žalm 23,1 šťžČčřů"));
}

void TestTextEncoding::encode_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("storable");
    QTest::addColumn<QByteArray>("bytes");
    const int utf8 = int(TextEncoding::Kind::Utf8);
    const int cp1250 = int(TextEncoding::Kind::Windows1250);
    QTest::newRow("Czech in Windows-1250") << cp1250 << QStringLiteral("Žalm") << true << QByteArray("\x8E" "alm");
    QTest::newRow("Greek not in Windows-1250") << cp1250 << QStringLiteral("λόγος") << false << QByteArray();
    QTest::newRow("question mark is storable") << cp1250 << QStringLiteral("why?") << true << QByteArray("why?");
    QTest::newRow("Greek in UTF-8") << utf8 << QStringLiteral("λ") << true << QByteArray("\xCE\xBB");
    QTest::newRow("lone surrogate in UTF-8") << utf8 << QString(QChar(0xD800)) << false << QByteArray();
}

void TestTextEncoding::encode()
{
    QFETCH(int, kind);
    QFETCH(QString, text);
    QFETCH(bool, storable);
    QFETCH(QByteArray, bytes);
    const auto encoded = TextEncoding(TextEncoding::Kind(kind)).Encode(text);
    QCOMPARE(encoded.has_value(), storable);
    if (storable)
        QCOMPARE(*encoded, bytes);
}

QTEST_GUILESS_MAIN(TestTextEncoding)
#include "tst_text_encoding.moc"
