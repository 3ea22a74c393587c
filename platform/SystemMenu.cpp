#include "platform/SystemMenu.h"

#include <QContextMenuEvent>
#include <QDialog>
#include <QKeyEvent>
#include <QMenu>
#include <QWindow>

SystemMenu::SystemMenu(QWidget *window, std::function<void(unsigned)> onCommand)
    : QObject(window)
    , m_window(window)
    , m_menu(new QMenu(window))
    , m_onCommand(std::move(onCommand))
{
    AppendItem(SC_MOVE, tr("&Move"));
    AppendItem(SC_CLOSE, tr("&Close\tAlt+F4"));
    window->installEventFilter(this);
    for (QWidget *child : window->findChildren<QWidget *>())
        child->installEventFilter(this);
}

void SystemMenu::AppendSeparator()
{
    m_menu->addSeparator();
}

QAction *SystemMenu::AppendItem(unsigned id, const QString &text)
{
    QAction *item = m_menu->addAction(text);
    connect(item, &QAction::triggered, this, [this, id] { m_onCommand(id); });
    return item;
}

void SystemMenu::DefaultCommand(QWidget *window, unsigned id)
{
    if (id == SC_CLOSE) {
        if (auto *dialog = qobject_cast<QDialog *>(window))
            dialog->reject();
    } else if (id == SC_MOVE) {
        if (QWindow *handle = window->windowHandle())
            handle->startSystemMove();
    }
}

void SystemMenu::Popup(const QPoint &globalPos)
{
    m_menu->popup(globalPos);
}

bool SystemMenu::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::ContextMenu && watched->isWidgetType()
        && !m_menu->isAncestorOf(static_cast<QWidget *>(watched))) {
        auto *menuEvent = static_cast<QContextMenuEvent *>(event);
        QPoint pos = menuEvent->globalPos();
        if (menuEvent->reason() != QContextMenuEvent::Mouse)
            pos = m_window->mapToGlobal(QPoint(0, 0));
        Popup(pos);
        return true;
    }
    if (event->type() == QEvent::KeyPress) {
        const auto *key = static_cast<QKeyEvent *>(event);
        const bool menuKey = key->key() == Qt::Key_Menu && key->modifiers() == Qt::NoModifier;
        if (menuKey || (key->key() == Qt::Key_F10 && key->modifiers() == Qt::ShiftModifier)) {
            Popup(m_window->mapToGlobal(QPoint(0, 0)));
            return true;
        }
    }
    return QObject::eventFilter(watched, event);
}
