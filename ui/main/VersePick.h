#pragma once

#include <functional>

// A uniform random whole number from 0 up to, not including, its bound.
using RandomBelow = std::function<int(int bound)>;

// The verse a pick shows among count: -1 for none; any of them when none is
// shown yet (shown outside 0..count-1); otherwise any but the one shown, each
// of the others as likely, so that every pick shows another verse.
int PickVerse(int count, int shown, const RandomBelow &randomBelow);
