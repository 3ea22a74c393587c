#pragma once

#include <QString>

// The edition information box's caption (by the language flag) and text
// (the same in both languages).
QString EditionInfoCaption(bool czech);
QString EditionInfoText();
