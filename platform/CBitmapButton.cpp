#include "platform/CBitmapButton.h"

#include "platform/CDialog.h"
#include "platform/Resources.h"

#include <QKeyEvent>
#include <QPainter>
#include <QStyleOptionFocusRect>

CBitmapButton::CBitmapButton(QWidget *parent)
    : QAbstractButton(parent)
{
    setFocusPolicy(Qt::StrongFocus);
}

bool CBitmapButton::LoadBitmaps(const QString &up, const QString &down)
{
    SetBitmaps(LoadBitmapResource(up, palette()), down.isEmpty() ? QPixmap() : LoadBitmapResource(down, palette()));
    return !m_up.isNull();
}

void CBitmapButton::SetBitmaps(const QPixmap &up, const QPixmap &down)
{
    m_up = up;
    m_down = down;
    updateGeometry();
    update();
}

bool CBitmapButton::AutoLoad(int id, CDialog *parent)
{
    if (parent && parent->GetDlgItem(id) != this)
        return false;
    const QString caption = text();
    if (!LoadBitmaps(caption + QLatin1Char('U'), caption + QLatin1Char('D')))
        return false;
    SizeToContent();
    return true;
}

void CBitmapButton::SizeToContent()
{
    if (!m_up.isNull())
        resize(m_up.deviceIndependentSize().toSize());
}

const QPixmap &CBitmapButton::CurrentBitmap() const
{
    return isDown() && !m_down.isNull() ? m_down : m_up;
}

QSize CBitmapButton::sizeHint() const
{
    return m_up.isNull() ? QSize(16, 16) : m_up.deviceIndependentSize().toSize();
}

void CBitmapButton::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    const QPixmap &image = CurrentBitmap();
    if (!image.isNull())
        painter.drawPixmap(0, 0, image);
    if (hasFocus())
        PaintFocusRect(painter);
}

void CBitmapButton::PaintFocusRect(QPainter &painter)
{
    QStyleOptionFocusRect option;
    option.initFrom(this);
    option.rect = rect().adjusted(3, 3, -3, -3);
    option.backgroundColor = palette().color(QPalette::Button);
    style()->drawPrimitive(QStyle::PE_FrameFocusRect, &option, &painter, this);
}

// Enter on a focused button presses that button, as Space does; only Enter
// elsewhere in the dialog goes to the default button.
void CBitmapButton::keyPressEvent(QKeyEvent *event)
{
    if (event->key() != Qt::Key_Return && event->key() != Qt::Key_Enter) {
        QAbstractButton::keyPressEvent(event);
        return;
    }
    if (!event->isAutoRepeat())
        click();
    event->accept();
}
