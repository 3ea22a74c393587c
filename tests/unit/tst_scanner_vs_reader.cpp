// The fast verse reader (LineScanner under VerseParser) against the plain
// line-by-line reading (ReferenceVerseReader.h), on inputs whose line ends,
// markers and multi-byte characters fall on and around the edges of the
// scanner's 64-byte blocks: both must give the same verses and encoding.
#include "ReferenceVerseReader.h"
#include "data/LineScanner.h"
#include "data/VerseParser.h"

#include <QTest>

class TestScannerVsReader : public QObject
{
    Q_OBJECT

private slots:
    void blockEdges_sameVersesAndEncoding_data();
    void blockEdges_sameVersesAndEncoding();
};

void TestScannerVsReader::blockEdges_sameVersesAndEncoding_data()
{
    // The input is a first verse whose text is as long as it takes to put
    // the first byte of "at" at each offset around 64 and 128, then before,
    // at and after.
    QTest::addColumn<QByteArray>("before");
    QTest::addColumn<QByteArray>("at");
    QTest::addColumn<QByteArray>("after");
    const QByteArray end = "#\r\n$$$\r\n";
    const auto row = [](const char *name, const QByteArray &before, const QByteArray &at, const QByteArray &after) {
        QTest::newRow(name) << before << at << after;
    };
    row("LF", "Title", "\n", "Ref\nA\n#\n$$$\n");
    row("CR LF", "Title", "\r\n", "Ref\r\nA\r\n" + end);
    row("lone CR", "Title", "\r", "x\r\nRef\r\n" + end);
    row("CR before CR LF", "T\r\nR\r\nA", "\r\r\n", end);
    row("# inside a text line", "T\r\nR\r\nwords ", "#", " lost\r\nN\r\nR\r\nB\r\n" + end);
    row("# early in a long text line", "T\r\nR\r\n", "#", QByteArray(150, 'w') + "\r\nN\r\nR\r\n" + end);
    row("# in a title and a reference", "", "#", "T\r\nR#\r\nA\r\n" + end);
    row("$$$ inside a title", "xx", "$$$", "yy\r\nnever\r\nread\r\n");
    row("$$$ early in a long title", "", "$$$", QByteArray(150, 't') + "\r\nnever\r\n");
    row("$$ and $ apart", "T", "$$", " $\r\nR\r\n" + end);
    row("$$$ in a reference and a text", "T\r\nR", "$$$", "\r\nA $$$\r\n" + end);
    row("two-byte character", "T\r\nR\r\nA", "\xC5\xBE", "\r\n" + end);
    row("four-byte character", "T", "\xF0\x9F\x98\x80", "\r\nR\r\n" + end);
    row("Windows-1250 byte", "T\r\nR\r\nA", "\xE9", "\r\n" + end);
    row("sequence cut by its line end", "T\r\nR\r\nA", "\xC5", "\r\n" + end);
    row("sequence cut by a plain byte", "T\r\nR\r\nA", "\xF0\x9F\x98", "x\r\n" + end);
    row("surrogate", "T", "\xED\xA0\x80", "\r\nR\r\n" + end);
    row("overlong", "T", "\xC0\xAF", "\r\nR\r\n" + end);
    row("above U+10FFFF", "T", "\xF4\x90\x80\x80", "\r\nR\r\n" + end);
    row("bad byte on the end marker's line", "T\r\nR\r\n#\r\n$$$", "\xE9", "\r\n");
    row("bad bytes after the end marker", "T\r\nR\r\n#\r\n$$$\r\n", "\xE9", "\xC5");
    row("sequence cut by the end", "T\r\nR\r\nA", "\xE2\x82", "");
    row("no end marker, record cut after its title", "T", "\r\n", "");
    row("no line end at the end", "T\r\nR\r\n", "A", "");
}

void TestScannerVsReader::blockEdges_sameVersesAndEncoding()
{
    QFETCH(QByteArray, before);
    QFETCH(QByteArray, at);
    QFETCH(QByteArray, after);
    const QByteArray head = "F\r\nR\r\n", tail = "\r\n#\r\n";
    for (int block : {1, 2}) {
        for (int offset = -8; offset <= 8; ++offset) {
            const qsizetype filler = block * LineScanner::kBlock + offset - head.size() - tail.size() - before.size();
            QVERIFY(filler >= 0);
            const QByteArray bytes = head + QByteArray(filler, 'f') + tail + before + at + after;
            VerseParser parser(bytes);
            const VerseList fast = parser.Parse();
            const ReferenceRead reference = ReadLineByLine(bytes);
            const QByteArray where = "at byte " + QByteArray::number(block * LineScanner::kBlock + offset);
            QVERIFY2(fast == reference.list, where.constData());
            QVERIFY2(parser.IsUtf8() == reference.utf8, where.constData());
        }
    }
}

QTEST_GUILESS_MAIN(TestScannerVsReader)
#include "tst_scanner_vs_reader.moc"
