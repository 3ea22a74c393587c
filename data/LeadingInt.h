#pragma once

#include <QByteArrayView>

// Reads a leading decimal integer the way atoi does (leading white space
// skipped, optional sign, digits up to the first other character, 0 when
// there are none), but saturates at the int range instead of overflowing.
int ParseLeadingInt(QByteArrayView text);
