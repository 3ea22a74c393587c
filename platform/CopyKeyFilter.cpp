#include "platform/CopyKeyFilter.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>

namespace {

bool HasSelection(QObject *field)
{
    if (auto *line = qobject_cast<QLineEdit *>(field))
        return line->hasSelectedText();
    if (auto *text = qobject_cast<QPlainTextEdit *>(field))
        return text->textCursor().hasSelection();
    return true;
}

} // namespace

void CopyKeyFilter::Install(QWidget *field)
{
    field->installEventFilter(new CopyKeyFilter(field));
}

bool CopyKeyFilter::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::ShortcutOverride && static_cast<QKeyEvent *>(event) == QKeySequence::Copy
        && !HasSelection(watched)) {
        event->ignore();
        return true;
    }
    return QObject::eventFilter(watched, event);
}
