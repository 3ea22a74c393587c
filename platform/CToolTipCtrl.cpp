#include "platform/CToolTipCtrl.h"

#include <QApplication>
#include <QCursor>
#include <QEnterEvent>
#include <QMouseEvent>
#include <QStyle>
#include <QToolTip>
#include <QWidget>

CToolTipCtrl::CToolTipCtrl(QObject *parent)
    : QObject(parent)
{
    m_delay.setSingleShot(true);
    m_delay.setInterval(QApplication::style()->styleHint(QStyle::SH_ToolTip_WakeUpDelay));
    connect(&m_delay, &QTimer::timeout, this, &CToolTipCtrl::ShowTip);
}

bool CToolTipCtrl::Create(QWidget *parent)
{
    m_parent = parent;
    return parent != nullptr;
}

bool CToolTipCtrl::AddTool(QWidget *tool, const QString &text)
{
    if (!m_parent || !tool)
        return false;
    m_tools.insert(tool, text);
    // What the tip says is also what a screen reader calls the tool.
    tool->setAccessibleName(text);
    connect(tool, &QObject::destroyed, this, [this, tool] { m_tools.remove(tool); });
    return true;
}

void CToolTipCtrl::Activate(bool active)
{
    m_active = active;
    if (!active)
        Leave();
}

QString CToolTipCtrl::ToolText(QWidget *tool) const
{
    return m_tools.value(tool);
}

QString CToolTipCtrl::CurrentTip() const
{
    return m_current ? m_tools.value(m_current) : QString();
}

void CToolTipCtrl::RelayEvent(QObject *watched, QEvent *event)
{
    switch (event->type()) {
    case QEvent::Enter:
    case QEvent::MouseMove:
    case QEvent::HoverEnter:
    case QEvent::HoverMove: {
        QWidget *tool = ToolAt(watched);
        if (!tool) {
            Leave();
            break;
        }
        const auto *pointer = dynamic_cast<const QSinglePointEvent *>(event);
        Enter(tool, pointer ? pointer->globalPosition().toPoint() : QCursor::pos());
        break;
    }
    case QEvent::Leave:
    case QEvent::HoverLeave:
        if (ToolAt(watched) == m_current)
            Leave();
        break;
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
    case QEvent::Hide: Leave(); break;
    default: break;
    }
}

QWidget *CToolTipCtrl::ToolAt(QObject *watched) const
{
    for (auto *widget = qobject_cast<QWidget *>(watched); widget; widget = widget->parentWidget()) {
        if (m_tools.contains(widget))
            return widget;
        if (widget->isWindow())
            break;
    }
    return nullptr;
}

void CToolTipCtrl::Enter(QWidget *tool, const QPoint &globalPos)
{
    m_pointer = globalPos;
    if (!m_active || tool == m_current)
        return;
    Leave();
    m_current = tool;
    m_delay.start();
}

void CToolTipCtrl::Leave()
{
    m_delay.stop();
    if (m_shown)
        QToolTip::hideText();
    m_shown = false;
    m_current = nullptr;
}

void CToolTipCtrl::ShowTip()
{
    if (!m_current || !m_active)
        return;
    QToolTip::showText(m_pointer, m_tools.value(m_current), m_current);
    m_shown = true;
}
