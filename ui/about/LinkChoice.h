#pragma once

#include <QRgb>
#include <QString>
#include <QtGlobal>

// The decisions a hyperlink label makes, kept free of any window so that they
// can be exercised on their own.

// Text colour of a label whose link has not been opened yet (blue), and after
// a successful open (red).
constexpr QRgb kLinkColorUnvisited = qRgb(0, 0, 220);
constexpr QRgb kLinkColorVisited = qRgb(200, 0, 0);

// The link a click opens. A link already held is used unchanged. Otherwise the
// label's text is the link; an e-mail address (see IsEmailAddress) gets
// "mailto:" in front. Empty when both are empty.
QString ChooseLink(const QString &link, const QString &labelText);

// A text that holds "@" but is neither a mailto: link already (in any letter
// case) nor an address with a scheme of its own ("https://host/@name").
bool IsEmailAddress(const QString &text);

// The label's colour after an attempt to open its link: the visited colour
// once opened, otherwise the colour it had.
QRgb ChooseColor(QRgb current, bool opened);

// Whether a static with this window style is drawn as a link (underlined and
// coloured): only left-aligned, centred or right-aligned text statics are,
// that is, when the style's low byte is at most 2.
bool DrawsAsLink(quint32 style);
