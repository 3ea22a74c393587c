#pragma once

// The request to end the program. Posting it ends the running modal dialog
// loops; posted while no dialog loop runs, it waits for the next one to start
// and ends it at once. Until then other windows (a message box, say) still
// show normally.
//
// A request from outside the program (a signal to end, the session ending)
// is posted the same way, and from then on no one is there to answer: every
// message box takes its safe answer without being shown (MessageBoxSeam).
class QuitRequest
{
public:
    static void Post(int exitCode);
    static void PostFromOutside();
    static bool Requested();
    static bool FromOutside();
    static int ExitCode();

    // Called by the dialog base around its modal loop.
    static void EnterModalLoop();
    static void LeaveModalLoop();
    static int RunningModalLoops();

private:
    static void PostExit();

    static bool s_requested;
    static bool s_fromOutside;
    static bool s_exitPosted;
    static int s_exitCode;
    static int s_runningLoops;
};

void PostQuitMessage(int exitCode);
