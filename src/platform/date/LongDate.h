#pragma once

#include <string>

namespace orvex::platform {

// Today's date in the long form of the user's regional settings, as UTF-8:
// the report's date, the same in the window and in orvex-compare.
std::string todayLongDate();

} // namespace orvex::platform
