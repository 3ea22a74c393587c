#include "data/VerseSearch.h"

#include <QTest>

// Finding a verse by words in its title, reference or text.
class TestVerseSearch : public QObject
{
    Q_OBJECT

private slots:
    void find_data();
    void find();
};

namespace {

const QStringList kVerses[] = {
    {"Genesis 1", "Genesis 1:1", "In the beginning, God created the heavens and the earth. "},
    {"John 3", "John 3:16", "For God so loved the world, that he gave his only born Son. "},
    {"Žalm 23", "Žalm 23,1", "Hospodin je můj pastýř, nebudu mít nedostatek. "},
};

} // namespace

void TestVerseSearch::find_data()
{
    QTest::addColumn<QString>("words");
    QTest::addColumn<int>("from");
    QTest::addColumn<bool>("forward");
    QTest::addColumn<int>("found");
    QTest::newRow("case ignored") << "john 3:16" << 0 << true << 1;
    QTest::newRow("starts after the verse shown") << "GOD" << 0 << true << 1;
    QTest::newRow("goes round, the verse shown last") << "beginning" << 0 << true << 0;
    QTest::newRow("back from the verse shown") << "god" << 1 << false << 0;
    QTest::newRow("back, going round") << "loved" << 0 << false << 1;
    QTest::newRow("Czech letters in either case") << "ŽALM 23,1" << 0 << true << 2;
    QTest::newRow("Czech letters in the text") << "PASTÝŘ" << 2 << false << 2;
    QTest::newRow("no verse shown yet") << "gave" << -1 << true << 1;
    QTest::newRow("no match") << "Revelation" << 1 << true << -1;
    QTest::newRow("no match across two fields") << "3John" << 0 << true << -1;
    QTest::newRow("nothing typed") << "" << 0 << true << -1;
}

// The same list in UTF-8 and in Windows-1250, and once more emptied.
void TestVerseSearch::find()
{
    QFETCH(QString, words);
    QFETCH(int, from);
    QFETCH(bool, forward);
    QFETCH(int, found);
    for (const auto kind : {TextEncoding::Kind::Utf8, TextEncoding::Kind::Windows1250}) {
        const TextEncoding encoding(kind);
        QList<QByteArray> fields[3];
        for (const QStringList &verse : kVerses)
            for (int f = 0; f < 3; ++f)
                fields[f].append(encoding.Encode(verse[f]).value());
        VerseSearch search(&fields[0], &fields[1], &fields[2], encoding);
        QCOMPARE(search.Find(words, from, forward), found);
        for (QList<QByteArray> &field : fields)
            field.clear();
        search.Invalidate();
        QCOMPARE(search.Find(words, from, forward), -1);
    }
}

QTEST_GUILESS_MAIN(TestVerseSearch)
#include "tst_verse_search.moc"
