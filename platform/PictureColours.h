#pragma once

#include <QByteArray>
#include <QList>
#include <QPalette>
#include <QRgb>

#include <utility>

// The program's pictures are drawn in fixed colours. A picture drawn on a
// button's face (one that holds the face grey #C0C0C0) takes the desktop's
// palette, as the old platform mapped its three-dimensional colours:
//
//   #C0C0C0 face -> Button      #DFDFDF light edge -> Light
//   #808080 shadow -> Dark      #404040 dark edge -> Shadow
//   #000000 ink (bars, outlines) -> ButtonText
//
// and each of its other colours that stood out from the face grey by 3:1 or
// more as drawn, but stands out from the palette's face by less, is made
// lighter (on a dark face) or darker (on a light one) until it stands out by
// 4.5:1, keeping its hue: dark blue lettering stays blue, but legible in a
// dark theme. (Fills inside an outline, like the yellow of an arrow head,
// never stood out from the grey, and keep their colour.) Any other picture (one with a background of its
// own, or the program's icon) keeps its colours.
using ColourMap = QList<std::pair<QRgb, QRgb>>;

// What each of the colours `used` becomes in this palette (only those that change).
ColourMap PictureColourMap(const QList<QRgb> &used, const QPalette &palette);

// The colours written as #RRGGBB in an SVG picture, each once.
QList<QRgb> SvgColours(const QByteArray &svg);
// The SVG picture with its #RRGGBB colours replaced as the map says.
QByteArray RecolourSvg(const QByteArray &svg, const ColourMap &map);

// The contrast of two colours by their relative luminance, from 1 (none) to 21.
double ContrastRatio(QRgb a, QRgb b);
// The colour mixed toward white (on a dark background) or black (on a light
// one) just as far as it takes to stand out from the background by ratio.
QRgb WithContrast(QRgb colour, QRgb background, double ratio);
