#pragma once

// The request to end the program. Posting it ends the running modal dialog
// loops; posted while no dialog loop runs, it waits for the next one to start
// and ends it at once. Until then other windows (a message box, say) still
// show normally.
class QuitRequest
{
public:
    static void Post(int exitCode);
    static bool Requested();
    static int ExitCode();

    // Called by the dialog base around its modal loop.
    static void EnterModalLoop();
    static void LeaveModalLoop();
    static int RunningModalLoops();

private:
    static void PostExit();

    static bool s_requested;
    static bool s_exitPosted;
    static int s_exitCode;
    static int s_runningLoops;
};

void PostQuitMessage(int exitCode);
bool QuitRequested();
int QuitExitCode();
