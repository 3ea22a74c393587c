#include "platform/UrlOpener.h"

#include <QDesktopServices>
#include <QRegularExpression>

namespace {

// A scheme: a letter, then letters, digits, '+' or '-', then a colon. A dot is
// not taken as part of one, so "www.example.org:8080" is a host with a port.
bool HasScheme(const QString &link)
{
    static const QRegularExpression scheme(QStringLiteral("^[A-Za-z][A-Za-z0-9+-]*:"));
    return scheme.match(link).hasMatch();
}

} // namespace

QUrl LinkToUrl(const QString &link)
{
    const QString trimmed = link.trimmed();
    if (trimmed.isEmpty())
        return {};
    if (HasScheme(trimmed)) {
        QUrl url(trimmed);
        if (url.isValid())
            return url;
    }
    return QUrl::fromUserInput(trimmed);
}

bool ShellOpen(const QString &link)
{
    return ShellOpenUrl(LinkToUrl(link));
}

bool ShellOpenUrl(const QUrl &url)
{
    if (!url.isValid() || url.isEmpty())
        return false;
    return QDesktopServices::openUrl(url);
}
