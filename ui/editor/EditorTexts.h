#pragma once

#include <QString>

// The verse editor's texts that come in an English and a Czech form, and
// its counter.

// The tip of the bitmap button with this control id (empty for any other id).
QString ToolTipText(int id, bool czech);
// The question asked before a verse is deleted.
QString DeleteQuestion(bool czech);
// "n/m": the one-based position of the verse shown and the number of
// verses ("0/0" for an empty list, where current is -1).
QString CounterText(int current, int count);
// The counter as a screen reader says it: "Verse n of m".
QString CounterSpoken(int current, int count, bool czech);
