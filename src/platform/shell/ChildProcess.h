#pragma once

#include <chrono>
#include <string>
#include <vector>

namespace orvex::platform {

// What a finished helper program gave back.
struct CapturedRun {
    int startError = 0;     // errno when the program could not be started, else 0
    int exitStatus = -1;    // its exit status; -1 when it did not exit normally
    bool timedOut = false;  // it was killed for taking longer than allowed
    std::string output;     // everything it wrote to standard output
};

// Runs `arguments` (the program, looked up on PATH unless it holds a slash,
// then its arguments; no shell is involved) and waits for it, at most `limit`:
// then it and everything it started are killed and reaped. Standard input
// and standard error go to /dev/null.
CapturedRun runAndCapture(const std::vector<std::string>& arguments, std::chrono::milliseconds limit);

// What became of a program started by startWatched within its first moments.
struct Launch {
    int startError = 0;   // errno of a failed start, else 0
    bool running = false; // still running when the wait ended
    int exitStatus = -1;  // when it ended: its status, -1 for a signal
};

// Starts `arguments` in a process group of its own and waits at most `limit`
// for it to end. One still running then is left to run (an opener that
// shows the browser in its own process) and reaped in the background when
// it ends, so that it never lingers as a zombie.
Launch startWatched(const std::vector<std::string>& arguments, std::chrono::milliseconds limit);

} // namespace orvex::platform
