#pragma once

class QWidget;

// Presents a widget to screen readers as a link that their "press" action
// opens, as a left click on the widget would.
void MarkAsLink(QWidget *widget);
