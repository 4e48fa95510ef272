#include "platform/SystemEncodings.h"

namespace {

// Before main, so that no test reads a file first.
const bool registered = (orvex::platform::registerSystemEncodings(), true);

} // namespace
