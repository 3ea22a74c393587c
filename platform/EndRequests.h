#pragma once

// Requests to end the program that come from outside it: SIGTERM (logout,
// shutdown, kill), SIGHUP (its terminal gone), SIGINT (Ctrl+C) and the
// session manager asking for the user's data at logout. Each posts the quit
// request from outside (QuitRequest::PostFromOutside): the modal loops end,
// and the program keeps what it holds on its way out instead of dying with
// it. The signal handler only writes a byte to a pipe that the event loop
// watches.
namespace EndRequests {

// Once the QApplication exists; later calls do nothing.
void Install();

} // namespace EndRequests
