#include "platform/CDialog.h"
#include "platform/MessageBox.h"
#include "platform/QuitRequest.h"
#include "res/DialogTemplates.h"
#include "res/Resource.h"

#include <QMessageBox>
#include <QPushButton>
#include <QtTest>

namespace {

class CountingDialog : public CDialog
{
public:
    CountingDialog()
        : CDialog(LoadDialogTemplate(IDD_LUMERA_DIALOG))
    {
    }
    int inits = 0;
    int destroyed = 0;
    bool OnInitDialog() override { ++inits; return CDialog::OnInitDialog(); }
    void PostNcDestroy() override { ++destroyed; }
};

// Shows a real error box and reports whether it stayed on screen until the
// user (here a timer, after 200 ms) pressed OK.
bool ErrorBoxStaysUntilAnswered(const QString &text)
{
    bool answered = false;
    QTimer::singleShot(200, [&answered] {
        if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget())) {
            answered = box->isVisible();
            box->button(QMessageBox::Ok)->click();
        }
    });
    AfxMessageBox(text, MB_OK | MB_ICONSTOP);
    QTest::qWait(300); // the timer fires even when the box closed at once
    return answered;
}

} // namespace

// The start-up path: the file errors come before the main dialog's loop.
class QuitBeforeLoopTest : public QObject
{
    Q_OBJECT

private slots:
    void errorBoxesAfterTheRequest_stayUntilAnswered_thenTheDialogEndsAtOnce();
};

void QuitBeforeLoopTest::errorBoxesAfterTheRequest_stayUntilAnswered_thenTheDialogEndsAtOnce()
{
    QVERIFY(!QuitRequested());
    QVERIFY(ErrorBoxStaysUntilAnswered(QStringLiteral("Cannot open Lumera.ini")));
    PostQuitMessage(0);
    QVERIFY(QuitRequested());
    QVERIFY(ErrorBoxStaysUntilAnswered(QStringLiteral("Cannot open Lumera.niv")));
    PostQuitMessage(0);

    CountingDialog dialog;
    QTimer::singleShot(5000, &dialog, [&dialog] { dialog.EndDialog(IDCANCEL); }); // no hang
    QElapsedTimer clock;
    clock.start();
    QCOMPARE(dialog.DoModal(), 0);
    QVERIFY(clock.elapsed() < 4000);
    QCOMPARE(dialog.inits, 1);
    QCOMPARE(dialog.destroyed, 1);
    QVERIFY(!dialog.isVisible());
    QCOMPARE(QuitExitCode(), 0);
}

QTEST_MAIN(QuitBeforeLoopTest)
#include "tst_quit_before_loop.moc"
