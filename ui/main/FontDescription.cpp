#include "ui/main/FontDescription.h"

#include "data/LeadingInt.h"
#include "data/TextEncoding.h"

LogFont MakeLogFont(const QByteArray &face, const QByteArray &style, const QByteArray &size)
{
    LogFont lf;
    lf.lfHeight = qBound(-kMaxFontHeight, ParseLeadingInt(size), kMaxFontHeight);
    lf.lfItalic = style.contains("ITALIC");
    lf.lfWeight = style.contains("BOLD") ? 700 : 400;
    SetFaceName(lf, TextEncoding::Detect(face).Decode(face).toUtf8());
    return lf;
}
