#include "platform/QuitRequest.h"

#include <QCoreApplication>
#include <QMetaObject>

bool QuitRequest::s_requested = false;
bool QuitRequest::s_fromOutside = false;
bool QuitRequest::s_exitPosted = false;
int QuitRequest::s_exitCode = 0;
int QuitRequest::s_runningLoops = 0;

void QuitRequest::Post(int exitCode)
{
    s_requested = true;
    s_exitCode = exitCode;
    if (s_runningLoops > 0)
        PostExit();
}

// Posted at once, whatever loop runs: a message box open at start-up ends
// too, and no later one is shown.
void QuitRequest::PostFromOutside()
{
    s_fromOutside = true;
    s_requested = true;
    s_exitCode = 0;
    PostExit();
}

bool QuitRequest::FromOutside()
{
    return s_fromOutside;
}

bool QuitRequest::Requested()
{
    return s_requested;
}

int QuitRequest::ExitCode()
{
    return s_exitCode;
}

// Entering a loop with a request pending posts the exit first, so that the
// loop ends as soon as it handles its first event.
void QuitRequest::EnterModalLoop()
{
    ++s_runningLoops;
    if (s_requested)
        PostExit();
}

void QuitRequest::LeaveModalLoop()
{
    if (s_runningLoops > 0)
        --s_runningLoops;
}

int QuitRequest::RunningModalLoops()
{
    return s_runningLoops;
}

// QCoreApplication::exit ends every running event loop, the modal ones
// included, even when no application loop runs.
void QuitRequest::PostExit()
{
    if (s_exitPosted || !QCoreApplication::instance())
        return;
    s_exitPosted = true;
    QMetaObject::invokeMethod(
        QCoreApplication::instance(), [] { QCoreApplication::exit(s_exitCode); }, Qt::QueuedConnection);
}

void PostQuitMessage(int exitCode)
{
    QuitRequest::Post(exitCode);
}
