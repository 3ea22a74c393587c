#pragma once

#include <QString>

class QWidget;

// The text of a dialog control of any kind the builder makes: the contents
// of a field, the caption of a label, button or group box.
QString ControlText(const QWidget *control);
void SetControlText(QWidget *control, const QString &text);
