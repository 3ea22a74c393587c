#include "platform/CDialog.h"
#include "platform/DialogUnits.h"
#include "platform/WinTypes.h"
#include "res/DialogTemplates.h"
#include "res/Resource.h"

#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QtTest>

namespace {

// The ids of the dialog's tab stops, in the order Tab visits them.
QList<int> TabChainIds(const CDialog &dialog)
{
    QList<int> ids;
    for (QWidget *w = dialog.nextInFocusChain(); w != &dialog; w = w->nextInFocusChain()) {
        if (w->focusPolicy() != Qt::NoFocus && w->parentWidget() == &dialog)
            ids.append(w->property("dlgCtrlId").toInt());
    }
    return ids;
}

} // namespace

class DialogBuilderTest : public QObject
{
    Q_OBJECT

private slots:
    void controls_haveTheKindTheirStyleAsks_data();
    void controls_haveTheKindTheirStyleAsks();
    void controls_sitAtTheirMappedRectanglesWithTheirFocusPolicy_data();
    void controls_sitAtTheirMappedRectanglesWithTheirFocusPolicy();
    void tabOrder_followsTemplateOrder_data();
    void tabOrder_followsTemplateOrder();
    void fieldStyles_giveReadOnlyAlignmentAndWrapping();
    void mainDialog_hasDefaultExitCentredFramedCreditAndFixedSize();
};

void DialogBuilderTest::controls_haveTheKindTheirStyleAsks_data()
{
    QTest::addColumn<int>("dialogId");
    QTest::addColumn<int>("index");
    QTest::addColumn<QByteArray>("className");
    QTest::newRow("102 Exit") << IDD_LUMERA_DIALOG << 0 << QByteArray("QPushButton");
    QTest::newRow("102 title") << IDD_LUMERA_DIALOG << 2 << QByteArray("QLineEdit");
    QTest::newRow("102 contents") << IDD_LUMERA_DIALOG << 4 << QByteArray("QPlainTextEdit");
    QTest::newRow("102 logo") << IDD_LUMERA_DIALOG << 6 << QByteArray("CBitmapButton");
    QTest::newRow("135 label") << IDD_VERSE_EDITOR << 0 << QByteArray("QLabel");
    QTest::newRow("135 First") << IDD_VERSE_EDITOR << 7 << QByteArray("CBitmapButton");
    QTest::newRow("100 icon") << IDD_ABOUTBOX << 0 << QByteArray("QLabel");
    QTest::newRow("100 frame") << IDD_ABOUTBOX << 4 << QByteArray("QGroupBox");
}

void DialogBuilderTest::controls_haveTheKindTheirStyleAsks()
{
    QFETCH(int, dialogId);
    QFETCH(int, index);
    QFETCH(QByteArray, className);
    CDialog dialog(LoadDialogTemplate(dialogId));
    dialog.CreateControls();
    QCOMPARE(dialog.Controls().size(), dialog.Template().controls.size());
    QCOMPARE(QByteArray(dialog.Controls().at(index)->metaObject()->className()), className);
}

void DialogBuilderTest::controls_sitAtTheirMappedRectanglesWithTheirFocusPolicy_data()
{
    QTest::addColumn<int>("dialogId");
    QTest::newRow("main") << IDD_LUMERA_DIALOG;
    QTest::newRow("editor") << IDD_VERSE_EDITOR;
}

void DialogBuilderTest::controls_sitAtTheirMappedRectanglesWithTheirFocusPolicy()
{
    QFETCH(int, dialogId);
    const DialogTemplate &tmpl = LoadDialogTemplate(dialogId);
    CDialog dialog(tmpl);
    dialog.CreateControls();
    const QSize base = DialogBaseUnits(DialogFont(tmpl));
    for (int i = 0; i < tmpl.controls.size(); ++i) {
        const ControlTemplate &c = tmpl.controls.at(i);
        QWidget *control = dialog.Controls().at(i);
        QCOMPARE(control->geometry(), MapDialogRect(QRect(c.x, c.y, c.cx, c.cy), base));
        QCOMPARE(control->focusPolicy(), (c.style & WS_TABSTOP) ? Qt::StrongFocus : Qt::NoFocus);
        QCOMPARE(dialog.GetDlgItem(c.id), c.id == IDC_STATIC ? nullptr : control);
    }
}

void DialogBuilderTest::tabOrder_followsTemplateOrder_data()
{
    QTest::addColumn<int>("dialogId");
    QTest::addColumn<QList<int>>("ids");
    QTest::newRow("main") << IDD_LUMERA_DIALOG
                          << QList<int>{IDOK, IDC_ANOTHER, IDC_TITLE, IDC_NUMBER, IDC_CONTENTS,
                                        IDC_LICPICT};
    QTest::newRow("editor") << IDD_VERSE_EDITOR
                            << QList<int>{IDC_TITLE, IDC_NUMBER, IDC_CONTENTS, IDOK, IDC_FIRST,
                                          IDC_PREV, IDC_NEXT, IDC_LAST, IDC_NEW, IDC_DELETE};
    QTest::newRow("about") << IDD_ABOUTBOX << QList<int>{IDOK};
}

void DialogBuilderTest::tabOrder_followsTemplateOrder()
{
    QFETCH(int, dialogId);
    QFETCH(QList<int>, ids);
    CDialog dialog(LoadDialogTemplate(dialogId));
    dialog.CreateControls();
    QCOMPARE(TabChainIds(dialog), ids);
}

void DialogBuilderTest::fieldStyles_giveReadOnlyAlignmentAndWrapping()
{
    CDialog main(LoadDialogTemplate(IDD_LUMERA_DIALOG));
    CDialog editor(LoadDialogTemplate(IDD_VERSE_EDITOR));
    main.CreateControls();
    editor.CreateControls();
    auto *title = qobject_cast<QLineEdit *>(main.GetDlgItem(IDC_TITLE));
    auto *contents = qobject_cast<QPlainTextEdit *>(main.GetDlgItem(IDC_CONTENTS));
    QVERIFY(title->isReadOnly());
    QVERIFY(contents->isReadOnly());
    QCOMPARE(title->alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
    QCOMPARE(contents->lineWrapMode(), QPlainTextEdit::WidgetWidth);
    QCOMPARE(contents->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
    auto *editorTitle = qobject_cast<QLineEdit *>(editor.GetDlgItem(IDC_TITLE));
    QVERIFY(!editorTitle->isReadOnly());
    QCOMPARE(editorTitle->alignment() & Qt::AlignHorizontal_Mask, Qt::AlignLeft);
    QVERIFY(!qobject_cast<QPlainTextEdit *>(editor.GetDlgItem(IDC_CONTENTS))->isReadOnly());
}

void DialogBuilderTest::mainDialog_hasDefaultExitCentredFramedCreditAndFixedSize()
{
    const DialogTemplate &tmpl = LoadDialogTemplate(IDD_LUMERA_DIALOG);
    CDialog main(tmpl);
    main.CreateControls();
    QVERIFY(qobject_cast<QPushButton *>(main.GetDlgItem(IDOK))->isDefault());
    QVERIFY(!qobject_cast<QPushButton *>(main.GetDlgItem(IDC_ANOTHER))->isDefault());
    auto *credit = qobject_cast<QLabel *>(main.Controls().at(7));
    QCOMPARE(credit->alignment(), Qt::AlignHCenter | Qt::AlignVCenter);
    QCOMPARE(credit->frameShape(), QFrame::Panel);
    auto *verse = qobject_cast<QLabel *>(main.Controls().at(5));
    QCOMPARE(verse->alignment(), Qt::AlignHCenter | Qt::AlignTop);
    QCOMPARE(verse->frameShape(), QFrame::NoFrame);
    QCOMPARE(main.windowTitle(), QStringLiteral("Lumera"));
    const QSize base = DialogBaseUnits(DialogFont(tmpl));
    const QSize size = MapDialogRect(QRect(0, 0, 227, 215), base).size();
    QCOMPARE(main.minimumSize(), size);
    QCOMPARE(main.maximumSize(), size);
}

QTEST_MAIN(DialogBuilderTest)
#include "tst_dialogbuilder.moc"
