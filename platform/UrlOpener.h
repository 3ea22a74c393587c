#pragma once

#include <QString>
#include <QUrl>

// The URL a link stands for: a link with a scheme ("mailto:x@y",
// "https://...") as written, one without ("www.example.org") as the
// address a user would mean by it (http). Empty for an empty link.
QUrl LinkToUrl(const QString &link);

// Opens a link with the desktop's handler for it; true when it was opened.
bool ShellOpen(const QString &link);
// Opens the URL with the desktop's handler for it; true when it was opened.
bool ShellOpenUrl(const QUrl &url);
