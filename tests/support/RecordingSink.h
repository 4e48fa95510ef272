#pragma once

#include "core/MessageSink.h"

#include <string>
#include <vector>

namespace orvex::test {

// Remembers every "Load Failed" with its file and reason.
struct RecordingSink final : MessageSink {
    std::vector<std::string> files;
    std::vector<std::string> reasons;
    std::size_t failures() const { return files.size(); }
    void loadFailed(const std::string& fileName, const std::string& reason) override
    {
        files.push_back(fileName);
        reasons.push_back(reason);
    }
};

} // namespace orvex::test
