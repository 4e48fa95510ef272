#pragma once

#include <cstdint>

namespace orvex {

// Booleans that cross an operation's boundary keep the platform convention
// the rest of the program follows: True is -1, False is 0.
using Boolean = std::int16_t;
inline constexpr Boolean kTrue = -1;
inline constexpr Boolean kFalse = 0;

inline constexpr Boolean toBoolean(bool value) { return value ? kTrue : kFalse; }

} // namespace orvex
