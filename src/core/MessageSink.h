#pragma once

#include <string>

namespace orvex {

// Where the core sends the few messages a user must see. The GUI shows a
// message box, the command-line tool writes to stderr, tests record them.
class MessageSink {
public:
    virtual ~MessageSink() = default;

    // A data file could not be loaded. `fileName` is as the caller passed it;
    // `reason` says why in one sentence.
    virtual void loadFailed(const std::string& fileName, const std::string& reason) = 0;
};

// Swallows every message; for callers that look at results only.
class SilentMessageSink final : public MessageSink {
public:
    void loadFailed(const std::string&, const std::string&) override {}
};

} // namespace orvex
