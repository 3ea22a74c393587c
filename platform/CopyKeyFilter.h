#pragma once

#include <QObject>

class QWidget;

// A text field takes the Copy key (Ctrl+C) even with nothing selected, when
// it has nothing to copy. Installed on a field, this leaves the key to the
// window's own Copy command then; with text selected, the field copies it.
class CopyKeyFilter : public QObject
{
    Q_OBJECT

public:
    // Installs a filter owned by field.
    static void Install(QWidget *field);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    using QObject::QObject;
};
