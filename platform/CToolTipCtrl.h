#pragma once

#include <QHash>
#include <QObject>
#include <QPoint>
#include <QPointer>
#include <QTimer>

class QEvent;
class QWidget;

// Tips for a set of tool widgets. It watches nothing itself: its owner feeds
// it the events of the tools' window (RelayEvent). The pointer resting on an
// active control's tool makes that tool current, and after the usual short
// delay its text is shown; leaving the tool, a button press or hiding it ends it.
class CToolTipCtrl : public QObject
{
    Q_OBJECT

public:
    explicit CToolTipCtrl(QObject *parent = nullptr);

    bool Create(QWidget *parent);
    bool AddTool(QWidget *tool, const QString &text);
    void Activate(bool active);
    bool IsActive() const { return m_active; }
    QString ToolText(QWidget *tool) const;

    void RelayEvent(QObject *watched, QEvent *event);

    // The tool under the pointer and its text (empty when there is none).
    QWidget *CurrentTool() const { return m_current; }
    QString CurrentTip() const;
    // Whether the current tip has been put on screen.
    bool IsTipShown() const { return m_shown; }
    // Delay before a tip appears, in milliseconds.
    void SetDelay(int milliseconds) { m_delay.setInterval(milliseconds); }

private:
    QWidget *ToolAt(QObject *watched) const;
    void Enter(QWidget *tool, const QPoint &globalPos);
    void Leave();
    void ShowTip();

    QPointer<QWidget> m_parent;
    QHash<QWidget *, QString> m_tools;
    QPointer<QWidget> m_current;
    QPoint m_pointer;
    QTimer m_delay;
    bool m_active = true;
    bool m_shown = false;
};
