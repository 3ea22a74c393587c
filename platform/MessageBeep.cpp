#include "platform/MessageBeep.h"

#include <QApplication>

namespace {

void SystemBeep(unsigned)
{
    QApplication::beep();
}

} // namespace

BeepSeam::Handler &BeepSeam::CurrentHandler()
{
    static Handler handler = &SystemBeep;
    return handler;
}

void BeepSeam::SetHandler(Handler handler)
{
    CurrentHandler() = handler ? std::move(handler) : Handler(&SystemBeep);
}

void BeepSeam::Reset()
{
    CurrentHandler() = &SystemBeep;
}

void BeepSeam::Beep(unsigned type)
{
    CurrentHandler()(type);
}

void MessageBeep(unsigned type)
{
    BeepSeam::Beep(type);
}
