#pragma once

#include "core/MessageSink.h"

namespace orvex::gui {

class UserMessages;

// Shows the core's load failures to the user: "Load Failed", with the file
// and the reason underneath.
class LoadFailedMessages final : public MessageSink {
public:
    explicit LoadFailedMessages(UserMessages& messages) : messages_(messages) {}
    void loadFailed(const std::string& fileName, const std::string& reason) override;

private:
    UserMessages& messages_;
};

} // namespace orvex::gui
