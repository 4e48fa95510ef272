#pragma once

#include <optional>
#include <string>
#include <string_view>

// Texts cross our interfaces in UTF-8; the Windows calls take UTF-16.
namespace orvex::platform {

// Nullopt for bytes that are not UTF-8: they have no UTF-16 form, and a
// guess could make two different names one.
std::optional<std::wstring> utf8ToWide(std::string_view utf8);

// A lone surrogate, which UTF-8 cannot carry, becomes U+FFFD.
std::string wideToUtf8(std::wstring_view wide);

} // namespace orvex::platform
