#include "platform/CDataExchange.h"
#include "platform/CDialog.h"
#include "platform/WinTypes.h"
#include "res/DialogTemplates.h"
#include "res/Resource.h"

#include <QPlainTextEdit>
#include <QPushButton>
#include <QtTest>

namespace {

// An editor-like dialog that records what the base class does to it.
class RecordingDialog : public CDialog
{
public:
    RecordingDialog()
        : CDialog(LoadDialogTemplate(IDD_VERSE_EDITOR))
    {
        OnChange(IDC_TITLE, [this] { ++changes; });
        OnChange(IDC_CONTENTS, [this] { ++changes; });
    }

    QString title, contents;
    QPushButton *exit = nullptr;
    int changes = 0, oks = 0, cancels = 0, destroyed = 0;

    void DoDataExchange(CDataExchange *pDX) override
    {
        DDX_Control(pDX, IDOK, exit);
        DDX_Text(pDX, IDC_TITLE, title);
        DDX_Text(pDX, IDC_CONTENTS, contents);
    }
    void OnOK() override { ++oks; CDialog::OnOK(); }
    void OnCancel() override { ++cancels; CDialog::OnCancel(); }
    void PostNcDestroy() override { destroyed += isVisible() ? 100 : 1; }

    void ShowAndWait()
    {
        CreateControls();
        show();
        QVERIFY(QTest::qWaitForWindowExposed(this));
    }
};

} // namespace

class CDialogTest : public QObject
{
    Q_OBJECT

private slots:
    void updateData_fillsFieldsThenReadsThemBack();
    void onChange_firesForTypingAndUndo_neverDuringUpdateData();
    void enterInField_pressesDefaultButtonWithoutLineBreak_data();
    void enterInField_pressesDefaultButtonWithoutLineBreak();
    void doModal_focusesFirstTabStop_escapeCancels();
    void onClicked_handlerReplacesDefaultOkHandling();
    void textField_showsAHugeUnbrokenWordQuickly();
};

void CDialogTest::updateData_fillsFieldsThenReadsThemBack()
{
    RecordingDialog dialog;
    dialog.contents = QStringLiteral("x");
    QVERIFY(!dialog.UpdateData(false)); // no controls yet
    dialog.CreateControls();
    dialog.title = QStringLiteral("Love");
    dialog.contents = QStringLiteral("Love is patient,\nlove is kind.");
    QVERIFY(dialog.UpdateData(false));
    QCOMPARE(dialog.GetDlgItemText(IDC_CONTENTS), dialog.contents);
    dialog.SetDlgItemText(IDC_TITLE, QStringLiteral("John 3:16"));
    QVERIFY(dialog.UpdateData(true));
    QCOMPARE(dialog.title, QStringLiteral("John 3:16"));
    QCOMPARE(dialog.exit, dialog.GetDlgItem(IDOK)); // DDX_Control bound it
}

void CDialogTest::onChange_firesForTypingAndUndo_neverDuringUpdateData()
{
    RecordingDialog dialog;
    dialog.ShowAndWait();
    dialog.title = QStringLiteral("Title");
    dialog.contents = QStringLiteral("Text");
    dialog.UpdateData(false);
    QCOMPARE(dialog.changes, 0);
    QTest::keyClicks(dialog.GetDlgItem(IDC_TITLE), QStringLiteral("ab"));
    QTest::keyClicks(dialog.GetDlgItem(IDC_CONTENTS), QStringLiteral("xyz"));
    QCOMPARE(dialog.changes, 5);
    qobject_cast<QPlainTextEdit *>(dialog.GetDlgItem(IDC_CONTENTS))->undo();
    QCOMPARE(dialog.changes, 6);
}

void CDialogTest::enterInField_pressesDefaultButtonWithoutLineBreak_data()
{
    QTest::addColumn<int>("id");
    QTest::newRow("one-line title") << IDC_TITLE;
    QTest::newRow("multi-line contents") << IDC_CONTENTS;
}

void CDialogTest::enterInField_pressesDefaultButtonWithoutLineBreak()
{
    QFETCH(int, id);
    RecordingDialog dialog;
    dialog.ShowAndWait();
    QWidget *field = dialog.GetDlgItem(id);
    field->setFocus();
    QTest::keyClicks(field, QStringLiteral("abc"));
    QTest::keyClick(field, Qt::Key_Return);
    QCOMPARE(dialog.oks, 1);
    QCOMPARE(dialog.result(), IDOK);
    QCOMPARE(dialog.GetDlgItemText(id), QStringLiteral("abc"));
    QCOMPARE(id == IDC_TITLE ? dialog.title : dialog.contents, QStringLiteral("abc"));
}

void CDialogTest::doModal_focusesFirstTabStop_escapeCancels()
{
    RecordingDialog dialog;
    QWidget *focused = nullptr;
    QTimer::singleShot(0, &dialog, [&] {
        if (QTest::qWaitForWindowExposed(&dialog))
            focused = QApplication::focusWidget();
        QTest::keyClick(&dialog, Qt::Key_Escape);
    });
    QTimer::singleShot(5000, &dialog, [&] { dialog.EndDialog(0); }); // no hang
    QCOMPARE(dialog.DoModal(), IDCANCEL);
    QCOMPARE(focused, dialog.GetDlgItem(IDC_TITLE));
    QCOMPARE(dialog.cancels, 1);
    QCOMPARE(dialog.destroyed, 1); // once, after the window was gone
}

void CDialogTest::onClicked_handlerReplacesDefaultOkHandling()
{
    RecordingDialog dialog;
    int clicks = 0;
    dialog.OnClicked(IDOK, [&] { ++clicks; });
    dialog.OnClicked(IDC_NEXT, [&] { clicks += 10; });
    dialog.CreateControls();
    qobject_cast<QAbstractButton *>(dialog.GetDlgItem(IDOK))->click();
    qobject_cast<QAbstractButton *>(dialog.GetDlgItem(IDC_NEXT))->click();
    QCOMPARE(clicks, 11);
    QCOMPARE(dialog.oks, 0);
}

// Breaking such a word at word boundaries first takes minutes; anywhere, a moment.
void CDialogTest::textField_showsAHugeUnbrokenWordQuickly()
{
    RecordingDialog dialog;
    dialog.CreateControls();
    QElapsedTimer clock;
    clock.start();
    dialog.SetDlgItemText(IDC_CONTENTS, QString(600000, QLatin1Char('w')));
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    QVERIFY2(clock.elapsed() < 5000, qPrintable(QString::number(clock.elapsed())));
    dialog.SetDlgItemText(IDC_CONTENTS, QStringLiteral("Love is patient"));
    auto *contents = qobject_cast<QPlainTextEdit *>(dialog.GetDlgItem(IDC_CONTENTS));
    QCOMPARE(contents->wordWrapMode(), QTextOption::WrapAtWordBoundaryOrAnywhere);
}

QTEST_MAIN(CDialogTest)
#include "tst_cdialog.moc"
