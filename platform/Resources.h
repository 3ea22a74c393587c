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

// Bitmap NAME with its fixed greys in the palette's colours (MapSysColors).
QPixmap LoadBitmapResource(const QString &name, const QPalette &palette);

// The picture with its fixed button greys turned into the palette's colours,
// as the old platform mapped its three-dimensional colours: #C0C0C0 (face)
// becomes the button colour, #808080 (shadow) the dark one and #DFDFDF (the
// light edge) the light one; every other colour stays.
QImage MapSysColors(const QImage &picture, const QPalette &palette);

// The 32 x 32 and 16 x 16 images of icon NAME in one icon.
QIcon LoadIconResource(const QString &name);

// The cursor NAME with the hot spot its XPM file gives (or the image's
// top left corner when it gives none); empty when the image is missing.
std::optional<QCursor> LoadCursorResource(const QString &name);

// The hot spot written in an XPM image's values line, if any.
std::optional<QPoint> XpmHotSpot(const QByteArray &xpm);
