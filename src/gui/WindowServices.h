#pragma once

#include <filesystem>

namespace orvex {
class RegistryApi;
}

namespace orvex::gui {

class ScreenObject;
class UserMessages;
class ReportPrinting;
class HelpCommands;

// What the windows need from outside: the desktop, the user, the registry,
// the printer and the Help menu's services. The program passes the real
// ones, tests their doubles.
struct WindowServices {
    ScreenObject& screen;
    UserMessages& messages;
    RegistryApi& registry;
    ReportPrinting& printing;
    HelpCommands& help;
};

} // namespace orvex::gui
