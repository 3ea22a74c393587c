#include "platform/ReturnKeyFilter.h"

#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QPushButton>

ReturnKeyFilter::ReturnKeyFilter(QObject *parent)
    : QObject(parent)
{
}

QPushButton *ReturnKeyFilter::DefaultButton(const QWidget *widget)
{
    const QList<QPushButton *> buttons = widget->window()->findChildren<QPushButton *>(Qt::FindDirectChildrenOnly);
    for (QPushButton *button : buttons) {
        if (button->isDefault() && button->isVisible() && button->isEnabled())
            return button;
    }
    return nullptr;
}

bool ReturnKeyFilter::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::KeyPress)
        return false;
    auto *key = static_cast<QKeyEvent *>(event);
    if (key->key() != Qt::Key_Return && key->key() != Qt::Key_Enter)
        return false;
    auto *widget = qobject_cast<QWidget *>(watched);
    if (!widget)
        return false;
    if (key->modifiers() & Qt::ControlModifier) {
        auto *edit = qobject_cast<QPlainTextEdit *>(widget);
        if (edit && !edit->isReadOnly())
            edit->insertPlainText(QStringLiteral("\n"));
        return edit != nullptr;
    }
    if (QPushButton *button = DefaultButton(widget))
        button->click();
    return true;
}
