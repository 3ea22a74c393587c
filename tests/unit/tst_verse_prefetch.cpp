#include "data/VerseFile.h"
#include "data/VersePrefetch.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

// The verse file read ahead on a second thread is handed over only for the
// same file, once, and only when it was read without error.
class TestVersePrefetch : public QObject
{
    Q_OBJECT

private slots:
    void take_data();
    void take();
};

void TestVersePrefetch::take_data()
{
    QTest::addColumn<QByteArray>("ini");
    QTest::addColumn<bool>("writeVerses");
    QTest::addColumn<QString>("askedFor");
    QTest::addColumn<bool>("handedOver");
    QTest::newRow("same file") << QByteArray("FILE=v.niv\r\n") << true << "v.niv" << true;
    QTest::newRow("another file") << QByteArray("FILE=v.niv\r\n") << true << "w.niv" << false;
    QTest::newRow("verse file missing") << QByteArray("FILE=v.niv\r\n") << false << "v.niv" << false;
    QTest::newRow("settings missing, default file") << QByteArray() << false << "Lumera.niv" << false;
}

void TestVersePrefetch::take()
{
    QFETCH(QByteArray, ini);
    QFETCH(bool, writeVerses);
    QFETCH(QString, askedFor);
    QFETCH(bool, handedOver);
    QTemporaryDir dir;
    QVERIFY(QDir::setCurrent(dir.path()));
    const QByteArray verses = "T\r\nN\r\n\xC8" "as\r\n#\r\n$$$\r\n";
    if (!ini.isEmpty()) {
        QFile file("Lumera.ini");
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(ini);
    }
    if (writeVerses) {
        QFile file("v.niv");
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(verses);
    }
    VersePrefetch::Start(QStringLiteral("Lumera.ini"));
    const auto result = VersePrefetch::Take(askedFor);
    QCOMPARE(result.has_value(), handedOver);
    if (handedOver) {
        QCOMPARE(result->list, VerseFile::Parse(verses));
        QCOMPARE(result->encoding.kind(), TextEncoding::Kind::Windows1250);
    }
    QVERIFY(!VersePrefetch::Take(askedFor)); // handed over once at most
    QVERIFY(QDir::setCurrent(QDir::tempPath()));
}

QTEST_GUILESS_MAIN(TestVersePrefetch)
#include "tst_verse_prefetch.moc"
