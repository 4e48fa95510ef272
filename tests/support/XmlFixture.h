#pragma once

#include "core/xml/CurrentDocument.h"

#include <memory>
#include <string_view>

namespace orvex::test {

// Loads an inline fixture through the real loader (via a temporary file), so
// tests see exactly what the program sees. Fails the test on a load failure.
std::unique_ptr<CurrentDocument> loadXml(std::string_view xml);

} // namespace orvex::test
