#pragma once

#include "platform/DialogTemplate.h"

#include <QHash>
#include <QList>
#include <QSize>

class QDialog;
class QWidget;

// The controls made from a template: all of them in template order, and the
// addressable ones (id other than -1) by id.
struct BuiltControls
{
    QList<QWidget *> inOrder;
    QHash<int, QWidget *> byId;
};

// Gives a dialog its template's caption, font, fixed client size and window
// decorations, and creates its controls at their places in template order,
// which also becomes the tab order.
class DialogBuilder
{
public:
    static BuiltControls Build(QDialog &dialog, const DialogTemplate &tmpl);
    // Puts a widget in the place of built control id (see CDialog::SubclassDlgItem).
    static bool ReplaceControl(BuiltControls &controls, int id, QWidget *replacement);

private:
    static void SetUpWindow(QDialog &dialog, const DialogTemplate &tmpl, const QSize &base);
    static void SetTabOrder(const QList<QWidget *> &controls);
    static void NameForScreenReaders(const DialogTemplate &tmpl, const QList<QWidget *> &controls);
    static QString LabelText(QString text);
};
