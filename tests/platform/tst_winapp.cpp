#include "platform/CWinApp.h"

#include <QCoreApplication>
#include <QEvent>
#include <QtTest>

namespace {

// Counts the User events of one object and swallows them when asked to.
class FilteringApp : public CWinApp
{
public:
    QObject *target = nullptr;
    int seen = 0;
    bool swallow = false;

    bool ProcessMessageFilter(QObject *watched, QEvent *event) override
    {
        if (watched != target || event->type() != QEvent::User)
            return false;
        ++seen;
        return swallow;
    }
};

class Receiver : public QObject
{
public:
    int received = 0;
    bool event(QEvent *e) override
    {
        received += e->type() == QEvent::User;
        return QObject::event(e);
    }
};

} // namespace

class WinAppTest : public QObject
{
    Q_OBJECT

private slots:
    void messageFilter_seesEventsFirstAndMaySwallowThem_data();
    void messageFilter_seesEventsFirstAndMaySwallowThem();
};

void WinAppTest::messageFilter_seesEventsFirstAndMaySwallowThem_data()
{
    QTest::addColumn<bool>("swallow");
    QTest::addColumn<int>("received");
    QTest::newRow("passes") << false << 1;
    QTest::newRow("swallows") << true << 0;
}

void WinAppTest::messageFilter_seesEventsFirstAndMaySwallowThem()
{
    QFETCH(bool, swallow);
    QFETCH(int, received);
    {
        FilteringApp app;
        QCOMPARE(AfxGetApp(), &app);
        Receiver receiver;
        app.target = &receiver;
        app.swallow = swallow;
        app.InstallMessageFilter();
        QCoreApplication::postEvent(&receiver, new QEvent(QEvent::User));
        QCoreApplication::sendPostedEvents(&receiver);
        QCOMPARE(app.seen, 1);
        QCOMPARE(receiver.received, received);
    }
    QCOMPARE(AfxGetApp(), nullptr);
}

QTEST_MAIN(WinAppTest)
#include "tst_winapp.moc"
