#pragma once

#include <QProxyStyle>

// Gives one-line and multi-line edit fields one frame: the style's plain
// square frame around the field's base colour, drawn in the highlight colour
// while an editable field has the focus. (Left alone, a one-line field gets a
// rounded frame and a multi-line one a square frame.)
class FieldFrameStyle : public QProxyStyle
{
    Q_OBJECT

public:
    // The style for this field, owned by the field.
    static void Apply(QWidget *field);

    void drawPrimitive(PrimitiveElement element, const QStyleOption *option, QPainter *painter,
                       const QWidget *widget) const override;

private:
    void DrawFrame(const QStyleOption *option, QPainter *painter, const QWidget *widget) const;
};
