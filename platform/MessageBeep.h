#pragma once

#include <functional>

// The default system sound. Tests count the beeps through the seam.
class BeepSeam
{
public:
    using Handler = std::function<void(unsigned type)>;

    static void SetHandler(Handler handler);
    static void Reset();
    static void Beep(unsigned type);

private:
    static Handler &CurrentHandler();
};

void MessageBeep(unsigned type);
