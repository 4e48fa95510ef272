#pragma once

#include "gui/HelpCommands.h"

#include <filesystem>

class QWidget;

namespace orvex {
class ShellApi;
}

namespace orvex::gui {

class UserMessages;

// The Help menu of the program: tip windows read beside the program file,
// and the About command through the system shell.
class ProgramHelp final : public HelpCommands {
public:
    ProgramHelp(ShellApi& shell, UserMessages& messages, std::filesystem::path programDirectory)
        : shell_(shell), messages_(messages), programDirectory_(std::move(programDirectory))
    {
    }
    void openTipWindow(const StringTable& texts) override;
    void openAbout() override;

private:
    ShellApi& shell_;
    UserMessages& messages_;
    std::filesystem::path programDirectory_;
};

} // namespace orvex::gui
