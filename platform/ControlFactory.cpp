#include "platform/ControlFactory.h"

#include "platform/CBitmapButton.h"
#include "platform/FieldFrameStyle.h"
#include "platform/Resources.h"
#include "platform/ReturnKeyFilter.h"
#include "platform/WinTypes.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStyleFactory>

#include <limits>

namespace {

constexpr int kIconSize = 32;

Qt::Alignment HorizontalAlignment(quint32 lowBits)
{
    switch (lowBits & 0x3) {
    case 1: return Qt::AlignHCenter;
    case 2: return Qt::AlignRight;
    default: return Qt::AlignLeft;
    }
}

// A read-only field shows the dialog's face colour behind its text.
void ShowAsReadOnly(QWidget *field)
{
    QPalette palette = field->palette();
    palette.setColor(QPalette::Base, palette.color(QPalette::Window));
    field->setPalette(palette);
}

} // namespace

QWidget *ControlFactory::Create(const ControlTemplate &ctrl, QWidget *dialog, const QRect &rect)
{
    QRect geometry = rect;
    QWidget *widget = nullptr;
    switch (ctrl.cls) {
    case ControlClass::Button: widget = CreateButton(ctrl, dialog); break;
    case ControlClass::Edit: widget = CreateEdit(ctrl, dialog); break;
    case ControlClass::Static: widget = CreateStatic(ctrl, dialog, geometry); break;
    }
    widget->setGeometry(geometry);
    widget->setProperty(kControlIdProperty, ctrl.id);
    widget->setProperty(kTemplateTextProperty, ctrl.text);
    ApplyCommonStyles(ctrl, widget);
    return widget;
}

void ControlFactory::ApplyCommonStyles(const ControlTemplate &ctrl, QWidget *widget)
{
    const bool label = ctrl.cls == ControlClass::Static
                       || (ctrl.cls == ControlClass::Button && (ctrl.style & BS_TYPEMASK) == BS_GROUPBOX);
    const bool tabStop = (ctrl.style & WS_TABSTOP) && !label;
    widget->setFocusPolicy(tabStop ? Qt::StrongFocus : Qt::NoFocus);
    if (ctrl.style & WS_DISABLED)
        widget->setEnabled(false);
    if (!(ctrl.style & WS_VISIBLE))
        widget->hide();
}

QWidget *ControlFactory::CreateButton(const ControlTemplate &ctrl, QWidget *dialog)
{
    const quint32 kind = ctrl.style & BS_TYPEMASK;
    if (kind == BS_GROUPBOX)
        return CreateGroupBox(ctrl, dialog);
    if (kind == BS_OWNERDRAW) {
        auto *button = new CBitmapButton(dialog);
        button->setText(ctrl.text);
        return button;
    }
    auto *button = new QPushButton(ctrl.text, dialog);
    button->setDefault(kind == BS_DEFPUSHBUTTON);
    return button;
}

// A group box's title sits on its frame line, which runs through the middle
// of the title's first line; the desktop style may draw the title above a
// panel instead, where it crowds the first line of the controls inside.
QWidget *ControlFactory::CreateGroupBox(const ControlTemplate &ctrl, QWidget *dialog)
{
    auto *box = new QGroupBox(ctrl.text, dialog);
    if (QStyle *lined = QStyleFactory::create(QStringLiteral("Windows"))) {
        lined->setParent(box);
        box->setStyle(lined);
    }
    return box;
}

QWidget *ControlFactory::CreateEdit(const ControlTemplate &ctrl, QWidget *dialog)
{
    QWidget *field = (ctrl.style & ES_AUTOHSCROLL) ? CreateLineEdit(ctrl, dialog) : CreateTextEdit(ctrl, dialog);
    if (!(ctrl.style & ES_WANTRETURN))
        field->installEventFilter(new ReturnKeyFilter(field));
    FieldFrameStyle::Apply(field);
    if (ctrl.style & ES_READONLY)
        ShowAsReadOnly(field);
    return field;
}

QWidget *ControlFactory::CreateLineEdit(const ControlTemplate &ctrl, QWidget *dialog)
{
    auto *line = new QLineEdit(dialog);
    // Edit controls set no length limit: a longer text must never be cut when
    // it is shown and stored back.
    line->setMaxLength(std::numeric_limits<int>::max());
    line->setText(ctrl.text);
    line->setAlignment(HorizontalAlignment(ctrl.style) | Qt::AlignVCenter);
    line->setReadOnly(ctrl.style & ES_READONLY);
    line->setFrame(ctrl.style & WS_BORDER);
    return line;
}

QWidget *ControlFactory::CreateTextEdit(const ControlTemplate &ctrl, QWidget *dialog)
{
    auto *edit = new QPlainTextEdit(ctrl.text, dialog);
    edit->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    edit->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    // A text longer than the field could not be read to its end without a
    // scroll bar, so one shows whenever the text does not fit.
    edit->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    edit->setTabChangesFocus(true);
    if (!(ctrl.style & WS_BORDER))
        edit->setFrameShape(QFrame::NoFrame);
    QTextOption option = edit->document()->defaultTextOption();
    option.setAlignment(HorizontalAlignment(ctrl.style));
    edit->document()->setDefaultTextOption(option);
    if (ctrl.style & ES_READONLY) {
        edit->setReadOnly(true);
        edit->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    }
    return edit;
}

QWidget *ControlFactory::CreateStatic(const ControlTemplate &ctrl, QWidget *dialog, QRect &rect)
{
    auto *label = new QLabel(dialog);
    const quint32 kind = ctrl.style & SS_TYPEMASK;
    const bool centreImage = ctrl.style & SS_CENTERIMAGE;
    if (kind == SS_ICON) {
        const QIcon icon = LoadIconResource(ctrl.text);
        if (!icon.isNull())
            ShowImage(label, icon.pixmap(kIconSize, kIconSize), rect, centreImage);
        return label;
    }
    if (kind == SS_BITMAP) {
        ShowImage(label, LoadBitmapResource(ctrl.text, label->palette()), rect, centreImage);
        return label;
    }
    label->setTextFormat(Qt::PlainText);
    label->setText(ctrl.text);
    const Qt::Alignment vertical = centreImage ? Qt::AlignVCenter : Qt::AlignTop;
    label->setAlignment(HorizontalAlignment(kind) | vertical);
    const int lineHeight = label->fontMetrics().height();
    label->setWordWrap(ctrl.text.contains(QLatin1Char('\n')) || rect.height() >= 2 * lineHeight);
    if (ctrl.exStyle & WS_EX_STATICEDGE) {
        label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        label->setLineWidth(1);
    }
    return label;
}

// An image static takes its image's size, unless it centres the image in its rectangle.
void ControlFactory::ShowImage(QLabel *label, const QPixmap &image, QRect &rect, bool centre)
{
    label->setPixmap(image);
    label->setAlignment(centre ? Qt::AlignCenter : Qt::AlignLeft | Qt::AlignTop);
    if (!image.isNull() && !centre)
        rect.setSize(image.deviceIndependentSize().toSize());
}
