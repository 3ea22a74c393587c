#pragma once

#include <QObject>

#include <functional>

class QAction;
class QMenu;
class QPoint;
class QWidget;

// The window menu of a dialog: the window's own commands (Move, Close),
// then what the dialog appends. It opens on a right click anywhere in the
// window, the Menu key or Shift+F10, and each entry hands its command id to
// the dialog's handler, which passes on the ids it does not know
// (DefaultCommand).
class SystemMenu : public QObject
{
    Q_OBJECT

public:
    // The window's own commands.
    static constexpr unsigned SC_MOVE = 0xF010;
    static constexpr unsigned SC_CLOSE = 0xF060;

    SystemMenu(QWidget *window, std::function<void(unsigned)> onCommand);

    void AppendSeparator();
    QAction *AppendItem(unsigned id, const QString &text);
    QMenu *Menu() const { return m_menu; }

    // What the window does with its own commands: Close is the Escape key's
    // cancel; Move lets the window system move it.
    static void DefaultCommand(QWidget *window, unsigned id);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void Popup(const QPoint &globalPos);

    QWidget *m_window;
    QMenu *m_menu;
    std::function<void(unsigned)> m_onCommand;
};
