#pragma once

#include <QList>
#include <QString>
#include <QtGlobal>

// A dialog described as data: the window and its controls, positions and
// sizes in dialog units, listed in creation order (which is the tab order).

enum class ControlClass { Button, Edit, Static };

struct ControlTemplate
{
    int id;
    ControlClass cls;
    QString text; // for icon and bitmap statics: the image resource's name
    int x, y, cx, cy;
    quint32 style;
    quint32 exStyle = 0;
    // What a screen reader calls the control, where its text or the label
    // before it does not say it.
    QString accessibleName = {};
};

struct DialogTemplate
{
    int id;
    QString caption;
    QString fontFace;
    int pointSize;
    int cx, cy;
    quint32 style;
    quint32 exStyle;
    QList<ControlTemplate> controls;
};
