#include "platform/ControlNotifier.h"

#include <QAbstractButton>
#include <QLineEdit>
#include <QPlainTextEdit>

ControlNotifier::ControlNotifier(std::function<bool()> lockedOut)
    : m_lockedOut(std::move(lockedOut))
{
}

void ControlNotifier::AddClicked(int id, Handler handler)
{
    m_clicked[id].append(std::move(handler));
}

void ControlNotifier::AddChanged(int id, Handler handler)
{
    m_changed[id].append(std::move(handler));
}

void ControlNotifier::SetClickFallback(Fallback fallback)
{
    m_clickFallback = std::move(fallback);
}

void ControlNotifier::Attach(int id, QWidget *control)
{
    if (auto *button = qobject_cast<QAbstractButton *>(control))
        QObject::connect(button, &QAbstractButton::clicked, button, [this, id] { NotifyClicked(id); });
    else if (auto *line = qobject_cast<QLineEdit *>(control))
        QObject::connect(line, &QLineEdit::textChanged, line, [this, id] { NotifyChanged(id); });
    else if (auto *edit = qobject_cast<QPlainTextEdit *>(control))
        QObject::connect(edit, &QPlainTextEdit::textChanged, edit, [this, id] { NotifyChanged(id); });
}

void ControlNotifier::NotifyClicked(int id)
{
    if (m_lockedOut && m_lockedOut())
        return;
    const QList<Handler> handlers = m_clicked.value(id);
    if (handlers.isEmpty() && m_clickFallback) {
        m_clickFallback(id);
        return;
    }
    for (const Handler &handler : handlers)
        handler();
}

void ControlNotifier::NotifyChanged(int id)
{
    if (m_lockedOut && m_lockedOut())
        return;
    const QList<Handler> handlers = m_changed.value(id);
    for (const Handler &handler : handlers)
        handler();
}
