#include "ui/main/VersePick.h"

int PickVerse(int count, int shown, const RandomBelow &randomBelow)
{
    if (count <= 0)
        return -1;
    if (shown < 0 || shown >= count)
        return randomBelow(count);
    if (count == 1)
        return 0;
    const int other = randomBelow(count - 1);
    return other < shown ? other : other + 1;
}
