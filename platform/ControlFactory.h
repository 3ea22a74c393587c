#pragma once

#include "platform/DialogTemplate.h"

#include <QRect>

class QLabel;
class QPixmap;
class QWidget;

// Makes the widget for one template control, as a child of the dialog, at
// the given pixel rectangle:
//   BUTTON: group box, bitmap button (owner-drawn) or push button;
//   EDIT: a one-line field with automatic horizontal scrolling, otherwise a
//         word-wrapping multi-line field without scroll bars;
//   STATIC: the program icon, a bitmap, or a text label.
// Each control carries its id and its template text in the two properties
// below, for whoever looks at the widgets (a control put in another's place
// takes them over).
class ControlFactory
{
public:
    static constexpr char kControlIdProperty[] = "dlgCtrlId";
    static constexpr char kTemplateTextProperty[] = "templateText";

    static QWidget *Create(const ControlTemplate &ctrl, QWidget *dialog, const QRect &rect);

private:
    static QWidget *CreateButton(const ControlTemplate &ctrl, QWidget *dialog);
    static QWidget *CreateGroupBox(const ControlTemplate &ctrl, QWidget *dialog);
    static QWidget *CreateEdit(const ControlTemplate &ctrl, QWidget *dialog);
    static QWidget *CreateLineEdit(const ControlTemplate &ctrl, QWidget *dialog);
    static QWidget *CreateTextEdit(const ControlTemplate &ctrl, QWidget *dialog);
    static QWidget *CreateStatic(const ControlTemplate &ctrl, QWidget *dialog, QRect &rect);
    static void ShowImage(QLabel *label, const QPixmap &image, QRect &rect, bool centre);
    static void ApplyCommonStyles(const ControlTemplate &ctrl, QWidget *widget);
};
