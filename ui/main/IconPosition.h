#pragma once

#include <QPoint>
#include <QSize>

// Where an icon is drawn centred in a client area: ((w - iw + 1) / 2,
// (h - ih + 1) / 2), each division truncating toward zero.
inline QPoint CenteredIconPosition(QSize client, QSize icon)
{
    return {(client.width() - icon.width() + 1) / 2, (client.height() - icon.height() + 1) / 2};
}
