#pragma once

#include <string>
#include <vector>

namespace orvex::platform {

// What a finished helper program gave back.
struct CapturedRun {
    int startError = 0;  // errno when the program could not be started, else 0
    int exitStatus = -1; // its exit status; -1 when it did not exit normally
    std::string output;  // everything it wrote to standard output
};

// Runs `arguments` (the program, looked up on PATH unless it holds a slash,
// then its arguments; no shell is involved) and waits for it. Standard input
// and standard error go to /dev/null.
CapturedRun runAndCapture(const std::vector<std::string>& arguments);

// Starts `arguments` without waiting for it; the child is reaped in the
// background when it ends. Returns 0, or the errno of a failed start.
int startDetached(const std::vector<std::string>& arguments);

} // namespace orvex::platform
