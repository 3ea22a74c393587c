#pragma once

#include <QCursor>
#include <QIcon>
#include <QImage>
#include <QPalette>
#include <QPixmap>
#include <QString>

#include <optional>

// The program's images, by resource name, matched without regard to case:
// bitmaps under :/bitmaps/, icons under :/icons/ (NAME_32 and NAME_16),
// cursors under :/cursors/. A missing image gives a null result.

// The resource path of NAME in the folder (e.g. ":/bitmaps"), any extension,
// case-insensitively; empty when there is none.
QString FindImageResource(const QString &folder, const QString &name);

// The bitmaps and icons are SVG pictures, drawn at the scale of the screen
// they are shown on, so they are as sharp at 150 or 200 % as at 100 %; each
// image carries that scale as its device pixel ratio, so its size in the
// dialog's units stays the same. A scale of 0 means the application's own.

// The SVG picture at path drawn at the scale, with the colours the palette
// gives it (PictureColourMap); null when it cannot be read.
QImage RenderPicture(const QString &path, const QPalette &palette, qreal dpr);

// Bitmap NAME in the palette's colours, at the scale.
QPixmap LoadBitmapResource(const QString &name, const QPalette &palette, qreal dpr = 0);

// Icon NAME: its 32 x 32 and 16 x 16 pictures (NAME_32, NAME_16), each at
// scale 1 and at the scale.
QIcon LoadIconResource(const QString &name, qreal dpr = 0);

// The cursor NAME with the hot spot its XPM file gives (or the image's
// top left corner when it gives none); empty when the image is missing.
std::optional<QCursor> LoadCursorResource(const QString &name);

// The hot spot written in an XPM image's values line, if any.
std::optional<QPoint> XpmHotSpot(const QByteArray &xpm);
