#include "platform/MessageBeep.h"
#include "platform/MessageBox.h"

#include <QMessageBox>
#include <QPushButton>
#include <QtTest>

using Box = QMessageBox;

class MessageBoxTest : public QObject
{
    Q_OBJECT

private slots:
    void cleanup();
    void seam_recordsAppNameCaptionTextTypeAndAnswers();
    void shownBox_hasIconButtonsAndDefaultOfItsType_data();
    void shownBox_hasIconButtonsAndDefaultOfItsType();
    void messageBeep_goesThroughTheSeam();
};

void MessageBoxTest::cleanup()
{
    MessageBoxSeam::Reset();
    BeepSeam::Reset();
}

void MessageBoxTest::seam_recordsAppNameCaptionTextTypeAndAnswers()
{
    QList<MessageBoxRequest> seen;
    MessageBoxSeam::SetHandler([&](const MessageBoxRequest &r) {
        seen.append(r);
        return seen.size() == 1 ? IDNO : IDOK;
    });
    QCOMPARE(AfxMessageBox(QStringLiteral("Delete?"), MB_YESNO | MB_ICONQUESTION), IDNO);
    QWidget owner;
    QCOMPARE(MessageBox(&owner, QStringLiteral("Info"), QStringLiteral("Edition"),
                        MB_OK | MB_ICONINFORMATION),
             IDOK);
    QCOMPARE(seen.size(), 2);
    QCOMPARE(seen[0].caption, QStringLiteral("tst_platform_messagebox")); // the program's name
    QCOMPARE(seen[0].text, QStringLiteral("Delete?"));
    QCOMPARE(seen[0].type, MB_YESNO | MB_ICONQUESTION);
    QCOMPARE(seen[1].owner, &owner);
    QCOMPARE(seen[1].caption, QStringLiteral("Edition"));
}

void MessageBoxTest::shownBox_hasIconButtonsAndDefaultOfItsType_data()
{
    QTest::addColumn<unsigned>("type");
    QTest::addColumn<Box::StandardButton>("press"); // NoButton: Escape
    QTest::addColumn<Box::Icon>("icon");
    QTest::addColumn<Box::StandardButtons>("buttons");
    QTest::addColumn<Box::StandardButton>("defaultButton");
    QTest::addColumn<int>("result");
    QTest::newRow("stop") << (MB_OK | MB_ICONSTOP) << Box::Ok << Box::Critical
                          << Box::StandardButtons(Box::Ok) << Box::Ok << IDOK;
    QTest::newRow("information") << (MB_OK | MB_ICONINFORMATION) << Box::Ok << Box::Information
                                 << Box::StandardButtons(Box::Ok) << Box::Ok << IDOK;
    QTest::newRow("question yes") << (MB_YESNO | MB_ICONQUESTION) << Box::Yes << Box::Question
                                  << (Box::Yes | Box::No) << Box::Yes << IDYES;
    QTest::newRow("question escape") << (MB_YESNO | MB_ICONQUESTION) << Box::NoButton
                                     << Box::Question << (Box::Yes | Box::No) << Box::Yes << IDNO;
}

void MessageBoxTest::shownBox_hasIconButtonsAndDefaultOfItsType()
{
    QFETCH(unsigned, type);
    QFETCH(Box::StandardButton, press);
    QFETCH(Box::Icon, icon);
    QFETCH(Box::StandardButtons, buttons);
    QFETCH(Box::StandardButton, defaultButton);
    QFETCH(int, result);
    Box *seen = nullptr;
    QTimer::singleShot(0, [&] {
        seen = qobject_cast<Box *>(QApplication::activeModalWidget());
        if (!seen)
            return;
        // Should the box stay open, a button other than No closes it and the answer tells.
        QTimer::singleShot(1000, seen, [box = seen] {
            for (QAbstractButton *b : box->buttons()) {
                if (box->standardButton(b) != Box::No) {
                    b->click();
                    return;
                }
            }
        });
        QCOMPARE(seen->icon(), icon);
        QCOMPARE(seen->standardButtons(), buttons);
        QCOMPARE(seen->standardButton(seen->defaultButton()), defaultButton);
        QCOMPARE(seen->windowTitle(), QCoreApplication::applicationName());
        if (press == Box::NoButton)
            QTest::keyClick(seen, Qt::Key_Escape);
        else
            seen->button(press)->click();
    });
    QCOMPARE(AfxMessageBox(QStringLiteral("Question?"), type), result);
    QVERIFY(seen);
}

void MessageBoxTest::messageBeep_goesThroughTheSeam()
{
    QList<unsigned> beeps;
    BeepSeam::SetHandler([&](unsigned type) { beeps.append(type); });
    MessageBeep(0);
    MessageBeep(MB_ICONSTOP);
    QCOMPARE(beeps, (QList<unsigned>{0, MB_ICONSTOP}));
}

QTEST_MAIN(MessageBoxTest)
#include "tst_messagebox.moc"
