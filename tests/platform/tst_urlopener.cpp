#include "platform/UrlOpener.h"

#include <QDesktopServices>
#include <QtTest>

class UrlOpenerTest : public QObject
{
    Q_OBJECT

public slots:
    void open(const QUrl &url) { m_opened.append(url); }

private slots:
    void init();
    void cleanup();
    void shellOpen_handsTheLinkToItsHandler_data();
    void shellOpen_handsTheLinkToItsHandler();

private:
    QList<QUrl> m_opened;
};

void UrlOpenerTest::init()
{
    m_opened.clear();
    for (const char *scheme : {"http", "https", "mailto"})
        QDesktopServices::setUrlHandler(QLatin1String(scheme), this, "open");
}

void UrlOpenerTest::cleanup()
{
    for (const char *scheme : {"http", "https", "mailto"})
        QDesktopServices::unsetUrlHandler(QLatin1String(scheme));
}

void UrlOpenerTest::shellOpen_handsTheLinkToItsHandler_data()
{
    QTest::addColumn<QString>("link");
    QTest::addColumn<QList<QUrl>>("opened");
    QTest::newRow("web address without scheme")
        << "www.orvane-press.example" << QList<QUrl>{QUrl("http://www.orvane-press.example")};
    QTest::newRow("host with port") << "www.orvane-press.example:8080"
                                    << QList<QUrl>{QUrl("http://www.orvane-press.example:8080")};
    QTest::newRow("mailto kept") << "mailto:lumera@orvane-press.example"
                                 << QList<QUrl>{QUrl("mailto:lumera@orvane-press.example")};
    QTest::newRow("https kept") << "https://orvane-press.example/a?b=c"
                                << QList<QUrl>{QUrl("https://orvane-press.example/a?b=c")};
    QTest::newRow("empty") << "" << QList<QUrl>();
    QTest::newRow("blank") << "   " << QList<QUrl>();
}

void UrlOpenerTest::shellOpen_handsTheLinkToItsHandler()
{
    QFETCH(QString, link);
    QFETCH(QList<QUrl>, opened);
    QCOMPARE(ShellOpen(link), !opened.isEmpty());
    QCOMPARE(m_opened, opened);
}

QTEST_MAIN(UrlOpenerTest)
#include "tst_urlopener.moc"
