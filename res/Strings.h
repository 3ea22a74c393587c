#pragma once

#include "res/Resource.h"

#include <QString>

// The string table.
inline QString LoadResString(int id)
{
    switch (id) {
    case IDS_ABOUTBOX: return QStringLiteral("&About Lumera...");
    case IDS_VERSE_EDITOR: return QStringLiteral("&Edit verses");
    default: return {};
    }
}
