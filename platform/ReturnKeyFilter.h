#pragma once

#include <QObject>

class QPushButton;
class QWidget;

// Makes Enter in an edit field press the dialog's default button instead of
// going to the field (a field without the want-return style). Ctrl+Enter still
// breaks the line in a multi-line field.
class ReturnKeyFilter : public QObject
{
    Q_OBJECT

public:
    explicit ReturnKeyFilter(QObject *parent = nullptr);

    // The visible, enabled default push button of the widget's window, if any.
    static QPushButton *DefaultButton(const QWidget *widget);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
};
