// Ending the program on a signal as a user's close would end it.
#pragma once

namespace tavenko::platform {

// From now on SIGTERM (a desktop logging out, `kill`), SIGHUP (the terminal
// gone) and SIGINT (Ctrl+C) close every window, each saving what it saves
// when the user closes it, and the event loop then ends. Messages shown
// meanwhile go to standard error, since no one is there to answer a box.
// A second signal ends the program at once.
void CloseWindowsOnTerminationSignals();

}  // namespace tavenko::platform
