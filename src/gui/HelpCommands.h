#pragma once

namespace orvex {
class StringTable;
}

namespace orvex::gui {

// The Help menu: a new tip window each time, and the maker's web site.
class HelpCommands {
public:
    virtual ~HelpCommands() = default;
    virtual void openTipWindow(const StringTable& texts) = 0;
    virtual void openAbout() = 0;
};

} // namespace orvex::gui
