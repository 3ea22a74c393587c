#include "platform/CDialog.h"
#include "platform/QuitRequest.h"
#include "platform/WinTypes.h"
#include "res/DialogTemplates.h"
#include "res/Resource.h"

#include <QtTest>

// A file error while the dialog runs (the verse file failing to save): the
// request ends the running loop.
class QuitDuringLoopTest : public QObject
{
    Q_OBJECT

private slots:
    void requestWhileTheDialogRuns_endsItsLoop()
    {
        CDialog dialog(LoadDialogTemplate(IDD_LUMERA_DIALOG));
        bool wasShown = false;
        QTimer::singleShot(0, &dialog, [&] {
            wasShown = QTest::qWaitForWindowExposed(&dialog);
            PostQuitMessage(0);
        });
        QTimer::singleShot(5000, &dialog, [&dialog] { dialog.EndDialog(IDCANCEL); }); // no hang
        QCOMPARE(dialog.DoModal(), 0);
        QVERIFY(wasShown);
        QCOMPARE(QuitRequest::RunningModalLoops(), 0);
        QVERIFY(!dialog.isVisible());
    }
};

QTEST_MAIN(QuitDuringLoopTest)
#include "tst_quit_during_loop.moc"
