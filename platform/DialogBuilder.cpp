#include "platform/DialogBuilder.h"

#include "platform/ControlFactory.h"
#include "platform/DialogUnits.h"
#include "platform/DlgItemText.h"
#include "platform/WinTypes.h"

#include <QDialog>

BuiltControls DialogBuilder::Build(QDialog &dialog, const DialogTemplate &tmpl)
{
    dialog.setFont(DialogFont(tmpl));
    const QSize base = DialogBaseUnits(dialog.font());
    SetUpWindow(dialog, tmpl, base);
    BuiltControls built;
    for (const ControlTemplate &ctrl : tmpl.controls) {
        const QRect rect = MapDialogRect(QRect(ctrl.x, ctrl.y, ctrl.cx, ctrl.cy), base);
        QWidget *widget = ControlFactory::Create(ctrl, &dialog, rect);
        built.inOrder.append(widget);
        if (ctrl.id != -1 && !built.byId.contains(ctrl.id))
            built.byId.insert(ctrl.id, widget);
    }
    SetTabOrder(built.inOrder);
    NameForScreenReaders(tmpl, built.inOrder);
    return built;
}

// Screen readers call a field by the label in front of it, as a reader of
// the dialog would; a template may name a control outright.
void DialogBuilder::NameForScreenReaders(const DialogTemplate &tmpl, const QList<QWidget *> &controls)
{
    QString label;
    for (qsizetype i = 0; i < tmpl.controls.size(); ++i) {
        const ControlTemplate &ctrl = tmpl.controls[i];
        QString name = ctrl.accessibleName;
        if (name.isEmpty() && ctrl.cls == ControlClass::Edit)
            name = label;
        if (!name.isEmpty())
            controls[i]->setAccessibleName(name);
        if (ctrl.cls == ControlClass::Static)
            label = LabelText(ctrl.text);
    }
}

QString DialogBuilder::LabelText(QString text)
{
    text.remove(QLatin1Char('&'));
    text = text.trimmed();
    if (text.endsWith(QLatin1Char(':')))
        text.chop(1);
    return text;
}

void DialogBuilder::SetUpWindow(QDialog &dialog, const DialogTemplate &tmpl, const QSize &base)
{
    Qt::WindowFlags flags = (tmpl.exStyle & WS_EX_APPWINDOW) ? Qt::Window : Qt::Dialog;
    flags |= Qt::CustomizeWindowHint;
    if (tmpl.style & WS_CAPTION)
        flags |= Qt::WindowTitleHint;
    if (tmpl.style & WS_SYSMENU)
        flags |= Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
    dialog.setWindowFlags(flags);
    dialog.setWindowTitle(tmpl.caption);
    dialog.setFixedSize(MapDialogRect(QRect(0, 0, tmpl.cx, tmpl.cy), base).size());
}

void DialogBuilder::SetTabOrder(const QList<QWidget *> &controls)
{
    QWidget *previous = nullptr;
    for (QWidget *control : controls) {
        if (control->focusPolicy() == Qt::NoFocus)
            continue;
        if (previous)
            QWidget::setTabOrder(previous, control);
        previous = control;
    }
}

bool DialogBuilder::ReplaceControl(BuiltControls &controls, int id, QWidget *replacement)
{
    QWidget *old = controls.byId.value(id, nullptr);
    if (!old || !replacement || old == replacement)
        return false;
    replacement->setParent(old->parentWidget());
    replacement->setGeometry(old->geometry());
    replacement->setFocusPolicy(old->focusPolicy());
    replacement->setEnabled(old->isEnabled());
    replacement->setProperty(ControlFactory::kControlIdProperty, id);
    replacement->setProperty(ControlFactory::kTemplateTextProperty,
                             old->property(ControlFactory::kTemplateTextProperty));
    if (replacement->accessibleName().isEmpty())
        replacement->setAccessibleName(old->accessibleName());
    SetControlText(replacement, ControlText(old));
    replacement->stackUnder(old);
    if (replacement->focusPolicy() != Qt::NoFocus)
        QWidget::setTabOrder(old, replacement);
    if (old->isHidden() && old->testAttribute(Qt::WA_WState_ExplicitShowHide))
        replacement->hide();
    else if (old->isVisible())
        replacement->show();
    controls.byId.insert(id, replacement);
    controls.inOrder.replace(controls.inOrder.indexOf(old), replacement);
    delete old;
    return true;
}
