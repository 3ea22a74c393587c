#pragma once

#include <QString>

class QWidget;

// Replaces a field's text and puts the caret where the user's edit left it:
// an edit happens just before the caret, so the caret moves back by the
// number of characters the new text lacks (or on by the number it adds).
void ReplaceFieldText(QWidget *field, const QString &text);
