#include "platform/CToolTipCtrl.h"

#include <QEnterEvent>
#include <QMouseEvent>
#include <QPushButton>
#include <QToolTip>
#include <QtTest>

class ToolTipTest : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void tip_isForRegisteredToolsOnlyAndOnlyWhileActive();
    void tip_endsOnLeavePressOrHide_data();
    void tip_endsOnLeavePressOrHide();
    void tip_appearsOnScreenAfterTheDelay();

private:
    void Enter(QWidget *widget);

    QWidget *m_window = nullptr;
    QPushButton *m_tool = nullptr;
    QPushButton *m_other = nullptr;
    CToolTipCtrl *m_tip = nullptr;
};

void ToolTipTest::init()
{
    m_window = new QWidget;
    m_tool = new QPushButton(QStringLiteral("First"), m_window);
    m_other = new QPushButton(QStringLiteral("Other"), m_window);
    m_other->move(0, 40);
    m_tip = new CToolTipCtrl(m_window);
    QVERIFY(!m_tip->AddTool(m_tool, QStringLiteral("x"))); // not created yet
    QVERIFY(m_tip->Create(m_window));
    QVERIFY(m_tip->AddTool(m_tool, QStringLiteral("First verse")));
}

void ToolTipTest::cleanup()
{
    delete m_window;
}

void ToolTipTest::Enter(QWidget *widget)
{
    QEnterEvent enter(QPointF(2, 2), QPointF(2, 2), widget->mapToGlobal(QPointF(2, 2)));
    m_tip->RelayEvent(widget, &enter);
}

void ToolTipTest::tip_isForRegisteredToolsOnlyAndOnlyWhileActive()
{
    Enter(m_other);
    QCOMPARE(m_tip->CurrentTip(), QString());
    m_tip->Activate(false);
    Enter(m_tool);
    QCOMPARE(m_tip->CurrentTip(), QString());
    m_tip->Activate(true);
    Enter(m_tool);
    QCOMPARE(m_tip->CurrentTip(), QStringLiteral("First verse"));
    QMouseEvent move(QEvent::MouseMove, QPointF(1, 1), QPointF(1, 1), Qt::NoButton, Qt::NoButton,
                     Qt::NoModifier);
    m_tip->RelayEvent(m_other, &move);
    QCOMPARE(m_tip->CurrentTip(), QString());
}

void ToolTipTest::tip_endsOnLeavePressOrHide_data()
{
    QTest::addColumn<int>("eventType");
    QTest::newRow("leave") << int(QEvent::Leave);
    QTest::newRow("button press") << int(QEvent::MouseButtonPress);
    QTest::newRow("hide") << int(QEvent::Hide);
}

void ToolTipTest::tip_endsOnLeavePressOrHide()
{
    QFETCH(int, eventType);
    Enter(m_tool);
    QVERIFY(!m_tip->CurrentTip().isEmpty());
    QMouseEvent press(QEvent::MouseButtonPress, QPointF(1, 1), QPointF(1, 1), Qt::LeftButton,
                      Qt::LeftButton, Qt::NoModifier);
    QEvent other{QEvent::Type(eventType)};
    m_tip->RelayEvent(m_tool, eventType == QEvent::MouseButtonPress ? &press : &other);
    QCOMPARE(m_tip->CurrentTip(), QString());
}

void ToolTipTest::tip_appearsOnScreenAfterTheDelay()
{
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window));
    m_tip->SetDelay(20);
    Enter(m_tool);
    QVERIFY(!m_tip->IsTipShown());
    QTRY_VERIFY(m_tip->IsTipShown());
    QTRY_COMPARE(QToolTip::text(), QStringLiteral("First verse"));
    QEvent leave(QEvent::Leave);
    m_tip->RelayEvent(m_tool, &leave);
    QVERIFY(!m_tip->IsTipShown());
}

QTEST_MAIN(ToolTipTest)
#include "tst_tooltip.moc"
