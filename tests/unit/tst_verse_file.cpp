#include "data/VerseFile.h"

#include <QFile>
#include <QTest>

// Reading and writing verse files in memory.
class TestVerseFile : public QObject
{
    Q_OBJECT

private slots:
    void parse_data();
    void parse();
    void serialize_data();
    void serialize();
    void roundTrip_data();
    void roundTrip();
    void shippedSample_singleSpacedAndStable();
};

namespace {

using Rows = QList<QByteArrayList>; // {title, number, contents} per verse

VerseList ListOf(const Rows &rows)
{
    VerseList list;
    for (const QByteArrayList &row : rows)
        list.Append(row.value(0), row.value(1), row.value(2));
    return list;
}

QByteArray Repeat(const char *word, int times)
{
    QByteArray out;
    for (int i = 0; i < times; ++i)
        out += word;
    return out;
}

} // namespace

void TestVerseFile::parse_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<Rows>("verses");

    QTest::newRow("end marker only") << QByteArray("$$$\r\n") << Rows{};
    QTest::newRow("empty file") << QByteArray() << Rows{};
    QTest::newRow("one record, two text lines, CR LF")
        << QByteArray("T\r\nN\r\nA\r\nB\r\n#\r\n$$$\r\n") << Rows{{"T", "N", "A B "}};
    QTest::newRow("bare LF ends lines too")
        << QByteArray("T\nN\nA\n#\n$$$\n") << Rows{{"T", "N", "A "}};
    QTest::newRow("lone CR stays in the text")
        << QByteArray("T\rX\r\nN\r\nA\r\r\n#\r\n$$$\r\n") << Rows{{"T\rX", "N", "A\r "}};
    QTest::newRow("$$$ inside a title ends the file")
        << QByteArray("T\r\nN\r\nA\r\n#\r\nsee $$$ here\r\nN2\r\nB\r\n#\r\n$$$\r\n") << Rows{{"T", "N", "A "}};
    QTest::newRow("reference is never tested")
        << QByteArray("T\r\n$$$ #\r\nA\r\n#\r\n$$$\r\n") << Rows{{"T", "$$$ #", "A "}};
    QTest::newRow("# with words around it ends the record, words lost")
        << QByteArray("T\r\nN\r\nA\r\nlost # words\r\nT2\r\nN2\r\n#\r\n$$$\r\n")
        << Rows{{"T", "N", "A "}, {"T2", "N2", ""}};
    QTest::newRow("blank line between records shifts fields")
        << QByteArray("T\r\nN\r\nA\r\n#\r\n\r\nT2\r\nN2\r\nB\r\n#\r\n$$$\r\n")
        << Rows{{"T", "N", "A "}, {"", "T2", "N2 B "}};
    QTest::newRow("empty text") << QByteArray("T\r\nN\r\n#\r\n$$$\r\n") << Rows{{"T", "N", ""}};
    QTest::newRow("empty text line keeps its space")
        << QByteArray("T\r\nN\r\n\r\n#\r\n$$$\r\n") << Rows{{"T", "N", " "}};
    QTest::newRow("no end marker keeps the records")
        << QByteArray("T\r\nN\r\nA\r\n#\r\nT2\r\nN2\r\nB\r\n#\r\n") << Rows{{"T", "N", "A "}, {"T2", "N2", "B "}};
    QTest::newRow("cut in the text keeps what was read")
        << QByteArray("T\r\nN\r\nA\r\nB") << Rows{{"T", "N", "A B "}};
    QTest::newRow("cut after the title") << QByteArray("T\r\n") << Rows{{"T", "", ""}};
    QTest::newRow("bytes kept as they are")
        << QByteArray("\xC8" "as\r\n\x8E" "alm 1\r\n\xE8\x9A\r\n#\r\n$$$\r\n") << Rows{{"\xC8" "as", "\x8E" "alm 1", "\xE8\x9A "}};
    QTest::newRow("NUL bytes inside lines")
        << QByteArrayLiteral("T\0x\r\nN\r\nA\0B\r\n#\r\n$$$\r\n")
        << Rows{{QByteArray("T\0x", 3), "N", QByteArray("A\0B ", 4)}};
}

void TestVerseFile::parse()
{
    QFETCH(QByteArray, bytes);
    QFETCH(Rows, verses);
    VerseList expected = ListOf(verses);
    expected.m_nCurrent = 0;
    VerseList copy;
    {
        VerseList parsed = VerseFile::Parse(bytes);
        QCOMPARE(parsed, expected);
        copy = parsed;
        // The elements refer into bytes the copies share: a change, in place
        // or by assignment, reaches neither those bytes nor the other copy.
        for (QByteArray &text : parsed.m_arrContents)
            text.fill('x');
        if (!parsed.m_arrTitles.isEmpty())
            parsed.m_arrTitles[0] = "changed";
    }
    QCOMPARE(copy, expected); // and outlive the list they were read into
}


void TestVerseFile::serialize_data()
{
    QTest::addColumn<Rows>("verses");
    QTest::addColumn<QByteArray>("bytes");

    const QByteArray text69 = Repeat("abcdefghi ", 6) + "abcdefgh."; // 69 bytes
    const QByteArray text70 = Repeat("abcdefghi ", 6) + "abcdefghi."; // 70 bytes, space at 59
    QTest::newRow("empty list") << Rows{} << QByteArray("$$$\r\n");
    QTest::newRow("empty text writes no text line")
        << Rows{{"T", "N", ""}} << QByteArray("T\r\nN\r\n#\r\n$$$\r\n");
    QTest::newRow("one final space is not written")
        << Rows{{"T", "N", "A B "}} << QByteArray("T\r\nN\r\nA B\r\n#\r\n$$$\r\n");
    QTest::newRow("text without final space written whole")
        << Rows{{"T", "N", "A B"}} << QByteArray("T\r\nN\r\nA B\r\n#\r\n$$$\r\n");
    QTest::newRow("a lone space is an empty line")
        << Rows{{"T", "N", " "}} << QByteArray("T\r\nN\r\n\r\n#\r\n$$$\r\n");
    QTest::newRow("69 bytes stay on one line")
        << Rows{{"T", "N", text69}} << "T\r\nN\r\n" + text69 + "\r\n#\r\n$$$\r\n";
    QTest::newRow("70 bytes break at the first space from index 50")
        << Rows{{"T", "N", text70}}
        << "T\r\nN\r\n" + Repeat("abcdefghi ", 5) + "abcdefghi\r\nabcdefghi.\r\n#\r\n$$$\r\n";
    QTest::newRow("break exactly at the last byte writes no empty line")
        << Rows{{"T", "N", Repeat("x", 69) + " "}} << "T\r\nN\r\n" + Repeat("x", 69) + "\r\n#\r\n$$$\r\n";
    QTest::newRow("huge word written whole")
        << Rows{{"T", "N", Repeat("w", 200) + " "}} << "T\r\nN\r\n" + Repeat("w", 200) + "\r\n#\r\n$$$\r\n";
    QTest::newRow("break space kept when a second space follows")
        << Rows{{"T", "N", Repeat("a", 55) + "  " + Repeat("b", 20) + " "}}
        << "T\r\nN\r\n" + Repeat("a", 55) + " \r\n" + Repeat("b", 20) + "\r\n#\r\n$$$\r\n";
    QTest::newRow("space before index 50 is no break point")
        << Rows{{"T", "N", "ab " + Repeat("w", 80)}} << "T\r\nN\r\nab " + Repeat("w", 80) + "\r\n#\r\n$$$\r\n";
    QTest::newRow("line break inside a text becomes CR LF")
        << Rows{{"T", "N", "A\r\nB "}} << QByteArray("T\r\nN\r\nA\r\r\nB\r\n#\r\n$$$\r\n");
    QTest::newRow("bare LF in a title becomes CR LF")
        << Rows{{"T\nU", "N", "A "}} << QByteArray("T\r\nU\r\nN\r\nA\r\n#\r\n$$$\r\n");
}

void TestVerseFile::serialize()
{
    QFETCH(Rows, verses);
    QFETCH(QByteArray, bytes);
    QCOMPARE(VerseFile::Serialize(ListOf(verses)), bytes);
}


void TestVerseFile::roundTrip_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("typical") << QByteArray("T\r\nN\r\nA\r\nB\r\n#\r\n$$$\r\n");
    QTest::newRow("trailing spaces in lines") << QByteArray("T \r\nN \r\nA  \r\n \r\n#\r\n$$$\r\n");
    QTest::newRow("lone CRs") << QByteArray("T\r\r\nN\r\r\nA\r\r\n\r\r\n#\r\n$$$\r\n");
    QTest::newRow("cut short") << QByteArray("T\r\nN\r\nA");
    QTest::newRow("title only at end") << QByteArray("T");
    QTest::newRow("long lines") << "T\r\nN\r\n" + Repeat("word ", 60) + "\r\n" + Repeat("x", 150) + "\r\n#\r\n";
    QTest::newRow("double spaces at the break")
        << "T\r\nN\r\n" + Repeat("a", 55) + "   " + Repeat("b", 40) + "\r\n#\r\n$$$\r\n";
    QTest::newRow("reference holds markers") << QByteArray("T\r\n$$$#\r\n#\r\n$$$\r\n");
}

void TestVerseFile::roundTrip()
{
    QFETCH(QByteArray, bytes);
    const VerseList loaded = VerseFile::Parse(bytes);
    const QByteArray saved = VerseFile::Serialize(loaded);
    QCOMPARE(VerseFile::Parse(saved), loaded);
    QCOMPARE(VerseFile::Serialize(VerseFile::Parse(saved)), saved);
}

// The sample is the first thing a new user sees: its texts read with single
// spaces, and a load and save changes none of its bytes.
void TestVerseFile::shippedSample_singleSpacedAndStable()
{
    QFile file(QStringLiteral(LUMERA_SAMPLE_DIR "/Lumera.niv"));
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    const VerseList list = VerseFile::Parse(bytes);
    QCOMPARE(list.m_nVerseCount, 150);
    for (const QByteArray &text : list.m_arrContents)
        QVERIFY2(!text.contains("  "), text.constData());
    QCOMPARE(VerseFile::Serialize(list), bytes);
}

QTEST_GUILESS_MAIN(TestVerseFile)
#include "tst_verse_file.moc"
