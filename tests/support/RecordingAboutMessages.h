#pragma once

#include "core/help/AboutCommand.h"

#include <string>
#include <vector>

namespace orvex::test {

// Remembers every message the About command shows.
class RecordingAboutMessages final : public AboutMessages {
public:
    std::vector<std::string> shown;
    void show(const std::string& text) override { shown.push_back(text); }
};

} // namespace orvex::test
