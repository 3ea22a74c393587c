#include "ui/editor/FieldText.h"

#include "platform/DlgItemText.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextCursor>

namespace {

int CaretPosition(const QWidget *field)
{
    if (auto *line = qobject_cast<const QLineEdit *>(field))
        return line->cursorPosition();
    if (auto *edit = qobject_cast<const QPlainTextEdit *>(field))
        return edit->textCursor().position();
    return 0;
}

void SetCaretPosition(QWidget *field, int position)
{
    if (auto *line = qobject_cast<QLineEdit *>(field)) {
        line->setCursorPosition(position);
    } else if (auto *edit = qobject_cast<QPlainTextEdit *>(field)) {
        QTextCursor cursor = edit->textCursor();
        cursor.setPosition(position);
        edit->setTextCursor(cursor);
        edit->ensureCursorVisible();
    }
}

} // namespace

void ReplaceFieldText(QWidget *field, const QString &text)
{
    if (!field)
        return;
    const qsizetype growth = text.size() - ControlText(field).size();
    const qsizetype caret = qBound<qsizetype>(0, CaretPosition(field) + growth, text.size());
    SetControlText(field, text);
    SetCaretPosition(field, int(caret));
}
