#include "platform/Resources.h"
#include "ui/about/CStaticLink.h"
#include "ui/about/LinkCursor.h"

#include <QEnterEvent>
#include <QLabel>
#include <QtTest>

// The link cursor with the program's own picture present: loaded at every
// construction, shared by all labels, and the desktop's hand never asked for.
class TestStaticLinkCursor : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cursor_isProgramHandWithHotSpotAtFingerTip();
    void everyConstruction_reloadsCursor();
    void enter_showsCurrentCursor();
    void twoLabels_shareCursor();
    void fallback_neverTriedWhileProgramCursorExists();

private:
    int m_resourceLoads = 0;
    int m_fallbackLoads = 0;
};

namespace {

void SendEnter(QLabel &label)
{
    QEnterEvent enter(QPointF(1, 1), QPointF(1, 1), QPointF(1, 1));
    QCoreApplication::sendEvent(&label, &enter);
}

} // namespace

void TestStaticLinkCursor::initTestCase()
{
    LinkCursor::SetResourceLoader([this] {
        ++m_resourceLoads;
        return LoadCursorResource(QStringLiteral("IDC_LINK_CURSOR"));
    });
    LinkCursor::SetFallbackLoader([this]() -> std::optional<QCursor> {
        ++m_fallbackLoads;
        return QCursor(Qt::PointingHandCursor);
    });
}

void TestStaticLinkCursor::cursor_isProgramHandWithHotSpotAtFingerTip()
{
    CStaticLink wnd;
    const std::optional<QCursor> cursor = LinkCursor::Current();
    QVERIFY(cursor.has_value());
    QCOMPARE(cursor->shape(), Qt::BitmapCursor);
    QCOMPARE(cursor->pixmap().size(), QSize(32, 32));
    QCOMPARE(cursor->hotSpot(), QPoint(6, 0));
}

void TestStaticLinkCursor::everyConstruction_reloadsCursor()
{
    const int before = m_resourceLoads;
    CStaticLink first;
    CStaticLink second(QStringLiteral("www.orvane-press.example"), false);
    QCOMPARE(m_resourceLoads - before, 2);
}

void TestStaticLinkCursor::twoLabels_shareCursor()
{
    // Each load makes a picture of its own, so equal pictures mean one cursor.
    LinkCursor::SetResourceLoader([] {
        QPixmap picture(32, 32);
        picture.fill(Qt::black);
        return std::optional<QCursor>(QCursor(picture, 6, 0));
    });
    QLabel webLabel(QStringLiteral("www.orvane-press.example"));
    QLabel mailLabel(QStringLiteral("lumera@orvane-press.example"));
    CStaticLink web;
    CStaticLink mail;
    LinkCursor::SetResourceLoader({});
    QVERIFY(web.Attach(&webLabel, 0x50020000));
    QVERIFY(mail.Attach(&mailLabel, 0x50020000));
    const qint64 shared = LinkCursor::Current()->pixmap().cacheKey();
    QCOMPARE(webLabel.cursor().pixmap().cacheKey(), shared);
    QCOMPARE(mailLabel.cursor().pixmap().cacheKey(), shared);
}

void TestStaticLinkCursor::enter_showsCurrentCursor()
{
    QLabel label(QStringLiteral("www.orvane-press.example"));
    CStaticLink wnd;
    QVERIFY(wnd.Attach(&label, 0x50020000));
    label.unsetCursor();
    SendEnter(label);
    QCOMPARE(label.cursor().shape(), Qt::BitmapCursor);
    QCOMPARE(label.cursor().pixmap().cacheKey(), LinkCursor::Current()->pixmap().cacheKey());
}

void TestStaticLinkCursor::fallback_neverTriedWhileProgramCursorExists()
{
    QCOMPARE(m_fallbackLoads, 0);
    QVERIFY(!LinkCursor::FallbackTried());
}

QTEST_MAIN(TestStaticLinkCursor)
#include "tst_static_link_cursor.moc"
