#include "ui/about/LinkChoice.h"

#include <QRegularExpression>

namespace {

const QString &MailtoPrefix()
{
    static const QString prefix = QStringLiteral("mailto:");
    return prefix;
}

// "scheme://": an address that names its own protocol and host.
bool HasHierarchicalScheme(const QString &text)
{
    static const QRegularExpression scheme(QStringLiteral("^\\s*[A-Za-z][A-Za-z0-9+.-]*://"));
    return scheme.match(text).hasMatch();
}

} // namespace

bool IsEmailAddress(const QString &text)
{
    return text.contains(QLatin1Char('@')) && !text.contains(MailtoPrefix(), Qt::CaseInsensitive)
           && !HasHierarchicalScheme(text);
}

QString ChooseLink(const QString &link, const QString &labelText)
{
    if (!link.isEmpty())
        return link;
    if (IsEmailAddress(labelText))
        return MailtoPrefix() + labelText;
    return labelText;
}

QRgb ChooseColor(QRgb current, bool opened)
{
    return opened ? kLinkColorVisited : current;
}

bool DrawsAsLink(quint32 style)
{
    return (style & 0xFF) <= 2;
}
