#pragma once

#include <QFont>
#include <QRect>
#include <QSize>

struct DialogTemplate;

// Dialog units: a template's positions and sizes scale with its font.
// One horizontal unit is a quarter of the font's average character width,
// one vertical unit an eighth of its character height.

// a * b / c rounded to the nearest integer, halves away from zero, computed
// without overflow; 0 when c is 0.
int MulDiv(int a, int b, int c);

// The font's base units in pixels: width = the average width of the 52 letters
// A-Z and a-z, rounded; height = the font's line height.
QSize DialogBaseUnits(const QFont &font);

// Maps a rectangle in dialog units to pixels by scaling its four edges.
QRect MapDialogRect(const QRect &dlu, const QSize &baseUnits);

// The template's font: its face at its point size when installed, otherwise
// the desktop's sans-serif face at that size.
QFont DialogFont(const DialogTemplate &tmpl);
