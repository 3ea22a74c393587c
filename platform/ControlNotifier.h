#pragma once

#include <QHash>
#include <QList>

#include <functional>

class QWidget;

// Routes the controls' notifications to the handlers a dialog registered for
// them: "clicked" for buttons, "changed" for edit fields (every change of the
// field's text). Handlers may be registered before or after the controls
// exist. While the lock-out test answers true, nothing is delivered.
class ControlNotifier
{
public:
    using Handler = std::function<void()>;
    // Called for a click that has no handler of its own.
    using Fallback = std::function<void(int id)>;

    explicit ControlNotifier(std::function<bool()> lockedOut);

    void AddClicked(int id, Handler handler);
    void AddChanged(int id, Handler handler);
    void SetClickFallback(Fallback fallback);

    // Connects the signals of a control made with this id.
    void Attach(int id, QWidget *control);

    void NotifyClicked(int id);
    void NotifyChanged(int id);

private:
    std::function<bool()> m_lockedOut;
    QHash<int, QList<Handler>> m_clicked;
    QHash<int, QList<Handler>> m_changed;
    Fallback m_clickFallback;
};
