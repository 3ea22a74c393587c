#include "data/LeadingInt.h"

#include <limits>

namespace {

bool IsCSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

} // namespace

int ParseLeadingInt(QByteArrayView text)
{
    qsizetype i = 0;
    const qsizetype n = text.size();
    while (i < n && IsCSpace(text[i]))
        ++i;
    bool negative = false;
    if (i < n && (text[i] == '+' || text[i] == '-'))
        negative = text[i++] == '-';

    // Accumulate as a negative number: its range covers INT_MIN.
    constexpr long long kMin = std::numeric_limits<int>::min();
    long long value = 0;
    for (; i < n && text[i] >= '0' && text[i] <= '9'; ++i) {
        value = value * 10 - (text[i] - '0');
        if (value < kMin) {
            value = kMin;
            break;
        }
    }
    if (!negative)
        return value < -std::numeric_limits<int>::max() ? std::numeric_limits<int>::max() : int(-value);
    return int(value);
}
