#pragma once

#include "platform/MessageBeep.h"

#include <QDesktopServices>
#include <QImage>
#include <QLabel>
#include <QList>
#include <QObject>
#include <QUrl>

// Catches the links the desktop is asked to open (web and mail addresses)
// while it exists; without it nothing handles them and every open fails.
class OpenedLinks : public QObject
{
    Q_OBJECT

public:
    OpenedLinks()
    {
        for (const char *scheme : kSchemes)
            QDesktopServices::setUrlHandler(QLatin1String(scheme), this, "open");
    }
    ~OpenedLinks() override
    {
        for (const char *scheme : kSchemes)
            QDesktopServices::unsetUrlHandler(QLatin1String(scheme));
    }

    QList<QUrl> urls;

public slots:
    void open(const QUrl &url) { urls.append(url); }

private:
    static constexpr const char *kSchemes[] = {"http", "https", "mailto"};
};

// Counts the beeps while it exists.
class BeepCounter
{
public:
    BeepCounter() { BeepSeam::SetHandler([this](unsigned) { ++count; }); }
    ~BeepCounter() { BeepSeam::Reset(); }
    int count = 0;
};

// How many pixels of a label, freshly painted, are exactly this colour.
inline int PaintedPixels(QLabel *label, QRgb color)
{
    const QImage image = label->grab().toImage().convertToFormat(QImage::Format_RGB32);
    int count = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x)
            count += image.pixel(x, y) == color ? 1 : 0;
    }
    return count;
}
