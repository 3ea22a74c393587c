#pragma once

#include <QString>

// What the empty fields of the main window say while the verse list is
// empty: that there are no verses, and how to add one.
struct EmptyListHint
{
    QString title;
    QString contents;
};

EmptyListHint EmptyListHintFor(bool czech, const QString &verseFile);
