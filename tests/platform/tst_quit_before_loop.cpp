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
    int inits = 0, destroyed = 0;
    bool OnInitDialog() override
    {
        ++inits;
        return CDialog::OnInitDialog();
    }
    void PostNcDestroy() override { ++destroyed; }
};

} // namespace

// The start-up path: a file error box after the request, then the main dialog.
class QuitBeforeLoopTest : public QObject
{
    Q_OBJECT

private slots:
    void errorBoxAfterTheRequest_staysUntilAnswered_thenTheDialogEndsAtOnce()
    {
        PostQuitMessage(0);
        bool answered = false;
        QTimer::singleShot(200, [&answered] {
            if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget())) {
                answered = box->isVisible();
                box->button(QMessageBox::Ok)->click();
            }
        });
        AfxMessageBox(QStringLiteral("Cannot open Lumera.niv"), MB_OK | MB_ICONSTOP);
        QTest::qWait(300); // the timer fires even when the box closed at once
        QVERIFY(answered);

        CountingDialog dialog;
        QTimer::singleShot(5000, &dialog, [&dialog] { dialog.EndDialog(IDCANCEL); }); // no hang
        QCOMPARE(dialog.DoModal(), 0);
        QCOMPARE(dialog.inits, 1);
        QCOMPARE(dialog.destroyed, 1);
        QVERIFY(!dialog.isVisible());
    }
};

QTEST_MAIN(QuitBeforeLoopTest)
#include "tst_quit_before_loop.moc"
