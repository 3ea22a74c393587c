#include "ui/about/CStaticLink.h"
#include "ui/about/LinkCursor.h"

#include <QEnterEvent>
#include <QLabel>
#include <QtTest>

// The link cursor with the program's own picture missing: the desktop's
// pointing hand is asked for once per process and then kept.
class TestStaticLinkCursorFallback : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void missingCursor_fallbackTriedOnceAndKept();

private:
    int m_fallbackLoads = 0;
};

void TestStaticLinkCursorFallback::initTestCase()
{
    LinkCursor::SetResourceLoader([] { return std::optional<QCursor>(); });
    LinkCursor::SetFallbackLoader([this]() -> std::optional<QCursor> {
        ++m_fallbackLoads;
        return QCursor(Qt::PointingHandCursor);
    });
}

void TestStaticLinkCursorFallback::missingCursor_fallbackTriedOnceAndKept()
{
    QLabel first(QStringLiteral("www.orvane-press.example"));
    QLabel second(QStringLiteral("lumera@orvane-press.example"));
    CStaticLink firstLink;
    CStaticLink secondLink;
    QCOMPARE(m_fallbackLoads, 0);
    QVERIFY(firstLink.Attach(&first, 0x50020000));
    QVERIFY(secondLink.Attach(&second, 0x50020000));
    for (int i = 0; i < 3; ++i) {
        QEnterEvent enter(QPointF(1, 1), QPointF(1, 1), QPointF(1, 1));
        QCoreApplication::sendEvent(&first, &enter);
    }

    // A later construction finds the program's cursor missing again.
    QLabel third(QStringLiteral("www.orvane-press.example"));
    CStaticLink thirdLink;
    QVERIFY(thirdLink.Attach(&third, 0x50020000));

    QCOMPARE(m_fallbackLoads, 1);
    QVERIFY(LinkCursor::FallbackTried());
    for (QLabel *label : {&first, &second, &third})
        QCOMPARE(label->cursor().shape(), Qt::PointingHandCursor);
}

QTEST_MAIN(TestStaticLinkCursorFallback)
#include "tst_static_link_cursor_fallback.moc"
