#include "ui/editor/FindBox.h"

#include <QAction>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

FindBox::FindBox(QWidget *editor)
    : QDialog(editor, Qt::Tool)
    , m_words(new QLineEdit(this))
    , m_result(new QLabel(this))
{
    setWindowTitle(tr("Find"));
    auto *label = new QLabel(tr("Fi&nd:"), this);
    label->setBuddy(m_words);
    m_words->setAccessibleName(tr("Find"));
    m_words->setAccessibleDescription(tr("Words in the title, the reference or the text of a verse"));
    auto *buttons = new QDialogButtonBox(this);
    QPushButton *next = buttons->addButton(tr("Find &next"), QDialogButtonBox::ActionRole);
    QPushButton *previous = buttons->addButton(tr("Find &previous"), QDialogButtonBox::ActionRole);
    // Enter finds the next verse, whichever control has the focus.
    previous->setAutoDefault(false);
    next->setAutoDefault(false);
    next->setDefault(true);
    connect(next, &QPushButton::clicked, this, [this] { emit Find(true); });
    connect(previous, &QPushButton::clicked, this, [this] { emit Find(false); });
    m_result->setAccessibleName(tr("Result"));
    auto *layout = new QVBoxLayout(this);
    for (QWidget *widget : std::initializer_list<QWidget *>{label, m_words, m_result, buttons})
        layout->addWidget(widget);
    for (const auto &[keys, forward] : {std::pair{QKeySequence::FindNext, true}, {QKeySequence::FindPrevious, false}}) {
        auto *action = new QAction(this);
        action->setShortcut(keys);
        connect(action, &QAction::triggered, this, [this, forward = forward] { emit Find(forward); });
        addAction(action);
    }
}

QString FindBox::Words() const
{
    return m_words->text();
}

// Beside the editor, where it hides none of its fields: to its right, or to
// its left when the screen ends there.
void FindBox::PlaceBesideEditor()
{
    const QWidget *editor = parentWidget();
    const QScreen *screen = editor->screen();
    const QRect room = screen ? screen->availableGeometry() : QRect();
    const QRect frame = editor->frameGeometry();
    const QSize size = sizeHint();
    QPoint at(frame.right() + 1, frame.top());
    if (room.isValid() && at.x() + size.width() > room.right())
        at.setX(qMax(room.left(), frame.left() - size.width()));
    move(at);
}

void FindBox::Present()
{
    m_result->clear();
    if (!isVisible())
        PlaceBesideEditor();
    show();
    activateWindow();
    m_words->setFocus();
    m_words->selectAll();
}

void FindBox::ShowResult(bool found)
{
    m_result->setText(found ? QString() : tr("Not found"));
}
