#include "platform/DlgItemText.h"

#include <QAbstractButton>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextDocument>

namespace {

// Breaking a line inside a word means searching the word for a break first,
// which takes time growing with the square of the word's length. A text with a
// very long unbroken run is therefore wrapped anywhere, other texts at word
// boundaries where they can be.
constexpr qsizetype kLongestWrappedWord = 1000;

bool HasLongUnbrokenRun(const QString &text)
{
    qsizetype run = 0;
    for (const QChar c : text) {
        run = c.isSpace() ? 0 : run + 1;
        if (run > kLongestWrappedWord)
            return true;
    }
    return false;
}

// Wrapping anywhere is quick for any text, so the field holds the old text
// and takes the new one in that mode; only then may a text of ordinary words
// go back to breaking at word boundaries.
void SetMultiLineText(QPlainTextEdit *edit, const QString &text)
{
    edit->setWordWrapMode(QTextOption::WrapAnywhere);
    edit->setPlainText(text);
    if (!HasLongUnbrokenRun(text))
        edit->setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
}

} // namespace

QString ControlText(const QWidget *control)
{
    if (auto *line = qobject_cast<const QLineEdit *>(control))
        return line->text();
    if (auto *edit = qobject_cast<const QPlainTextEdit *>(control)) {
        // The text exactly as typed: the plain-text view would turn no-break
        // spaces (the usual glue in Czech texts) into plain ones.
        QString text = edit->document()->toRawText();
        text.replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
        text.replace(QChar::LineSeparator, QLatin1Char('\n'));
        return text;
    }
    if (auto *label = qobject_cast<const QLabel *>(control))
        return label->text();
    if (auto *button = qobject_cast<const QAbstractButton *>(control))
        return button->text();
    if (auto *group = qobject_cast<const QGroupBox *>(control))
        return group->title();
    return {};
}

// A filled one-line field shows the start of its text, as an edit control
// does; QLineEdit would leave the caret at the end and scroll there.
void SetControlText(QWidget *control, const QString &text)
{
    if (auto *line = qobject_cast<QLineEdit *>(control)) {
        line->setText(text);
        line->setCursorPosition(0);
    } else if (auto *edit = qobject_cast<QPlainTextEdit *>(control))
        SetMultiLineText(edit, text);
    else if (auto *label = qobject_cast<QLabel *>(control))
        label->setText(text);
    else if (auto *button = qobject_cast<QAbstractButton *>(control))
        button->setText(text);
    else if (auto *group = qobject_cast<QGroupBox *>(control))
        group->setTitle(text);
}
