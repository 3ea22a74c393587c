#include "platform/FieldFrameStyle.h"

#include <QAbstractScrollArea>
#include <QPainter>
#include <QStyleOption>

void FieldFrameStyle::Apply(QWidget *field)
{
    auto *style = new FieldFrameStyle;
    style->setParent(field);
    field->setStyle(style);
}

void FieldFrameStyle::drawPrimitive(PrimitiveElement element, const QStyleOption *option, QPainter *painter,
                                    const QWidget *widget) const
{
    if (element == PE_PanelLineEdit) {
        painter->fillRect(option->rect, option->palette.base());
        const auto *frame = qstyleoption_cast<const QStyleOptionFrame *>(option);
        if (frame && frame->lineWidth > 0)
            DrawFrame(option, painter, widget);
        return;
    }
    if (element == PE_Frame && qobject_cast<const QAbstractScrollArea *>(widget)) {
        DrawFrame(option, painter, widget);
        return;
    }
    QProxyStyle::drawPrimitive(element, option, painter, widget);
}

void FieldFrameStyle::DrawFrame(const QStyleOption *option, QPainter *painter, const QWidget *widget) const
{
    const bool editable = widget && !widget->property("readOnly").toBool();
    if (!(option->state & State_HasFocus) || !editable) {
        baseStyle()->drawPrimitive(PE_Frame, option, painter, widget);
        return;
    }
    painter->save();
    painter->setPen(option->palette.color(QPalette::Highlight));
    painter->setBrush(Qt::NoBrush);
    painter->drawRect(option->rect.adjusted(0, 0, -1, -1));
    painter->restore();
}
