#include "platform/PictureColours.h"

#include <QColor>
#include <QRegularExpression>

#include <cmath>

namespace {

constexpr QRgb kFace = qRgb(0xC0, 0xC0, 0xC0);
constexpr double kEnough = 3.0; // what marks that carry meaning need
constexpr double kLegible = 4.5; // what an adjusted colour is given

const QRegularExpression &HexColour()
{
    static const QRegularExpression hex(QStringLiteral("#([0-9A-Fa-f]{6})(?![0-9A-Fa-f])"));
    return hex;
}

double Channel(int value)
{
    const double c = value / 255.0;
    return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

double Luminance(QRgb c)
{
    return 0.2126 * Channel(qRed(c)) + 0.7152 * Channel(qGreen(c)) + 0.0722 * Channel(qBlue(c));
}

QRgb Mix(QRgb from, QRgb to, double t)
{
    const auto mix = [t](int a, int b) { return int(std::lround(a + (b - a) * t)); };
    return qRgb(mix(qRed(from), qRed(to)), mix(qGreen(from), qGreen(to)), mix(qBlue(from), qBlue(to)));
}

} // namespace

double ContrastRatio(QRgb a, QRgb b)
{
    const double la = Luminance(a);
    const double lb = Luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

QRgb WithContrast(QRgb colour, QRgb background, double ratio)
{
    if (ContrastRatio(colour, background) >= ratio)
        return colour;
    const QRgb target = Luminance(background) < 0.18 ? qRgb(255, 255, 255) : qRgb(0, 0, 0);
    double low = 0.0;
    double high = 1.0;
    for (int step = 0; step < 16; ++step) {
        const double mid = (low + high) / 2;
        (ContrastRatio(Mix(colour, target, mid), background) >= ratio ? high : low) = mid;
    }
    return Mix(colour, target, high);
}

ColourMap PictureColourMap(const QList<QRgb> &used, const QPalette &palette)
{
    if (!used.contains(kFace))
        return {};
    const std::pair<QRgb, QPalette::ColorRole> roles[] = {
        {kFace, QPalette::Button},
        {qRgb(0xDF, 0xDF, 0xDF), QPalette::Light},
        {qRgb(0x80, 0x80, 0x80), QPalette::Dark},
        {qRgb(0x40, 0x40, 0x40), QPalette::Shadow},
        {qRgb(0, 0, 0), QPalette::ButtonText},
    };
    const QRgb face = palette.color(QPalette::Button).rgb();
    ColourMap map;
    for (const QRgb colour : used) {
        const auto role = std::find_if(std::begin(roles), std::end(roles),
                                       [colour](const auto &entry) { return entry.first == colour; });
        QRgb mapped = role != std::end(roles) ? palette.color(role->second).rgb() : colour;
        // A mark that stood out from the grey it was drawn on keeps standing
        // out; fills inside an outline never needed to.
        if (role == std::end(roles) && ContrastRatio(colour, kFace) >= kEnough && ContrastRatio(colour, face) < kEnough)
            mapped = WithContrast(colour, face, kLegible);
        if (mapped != colour)
            map.append({colour, mapped});
    }
    return map;
}

QList<QRgb> SvgColours(const QByteArray &svg)
{
    QList<QRgb> colours;
    for (const QRegularExpressionMatch &match : HexColour().globalMatch(QString::fromUtf8(svg))) {
        const QRgb colour = 0xFF000000u | match.captured(1).toUInt(nullptr, 16);
        if (!colours.contains(colour))
            colours.append(colour);
    }
    return colours;
}

QByteArray RecolourSvg(const QByteArray &svg, const ColourMap &map)
{
    if (map.isEmpty())
        return svg;
    QString text = QString::fromUtf8(svg);
    QString out;
    qsizetype last = 0;
    for (const QRegularExpressionMatch &match : HexColour().globalMatch(text)) {
        const QRgb colour = 0xFF000000u | match.captured(1).toUInt(nullptr, 16);
        const auto entry =
            std::find_if(map.cbegin(), map.cend(), [colour](const auto &e) { return e.first == colour; });
        out += QStringView(text).mid(last, match.capturedStart() - last);
        out += entry == map.cend() ? match.captured() : QColor(entry->second).name();
        last = match.capturedEnd();
    }
    out += QStringView(text).mid(last);
    return out.toUtf8();
}
