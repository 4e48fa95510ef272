#include "core/window/ScreenLayout.h"

namespace orvex {
namespace {

constexpr std::array<ScreenLayoutRow, 6> kRows = {{
    // width   window         frame        search print  similar     different   captions lists width  lefts                margin
    {"640",    9600,  7200,   6735, 1815,  7080,  8280,  3840, 1000, 3840, 1240, 2160, 2400, 2355, {120, 2880, 5640},   500},
    {"800",    12000, 9000,   9375, 975,   9720,  10920, 6720, 240,  6720, 480,  1440, 1680, 3375, {120, 3720, 7320},   500},
    {"1024",   15360, 11520,  9375, 975,   9720,  12480, 6720, 240,  6720, 480,  1440, 1680, 4000, {120, 4680, 9360},   2500},
    {"1152",   17280, 12960,  9375, 975,   9720,  12480, 6720, 240,  6720, 480,  1440, 1680, 4695, {120, 5520, 10920},  2500},
    {"1280",   19200, 15360,  9375, 975,   9720,  12480, 6720, 240,  6720, 480,  1440, 1680, 5775, {120, 6120, 12120},  2500},
    {"1600",   24000, 18000,  9375, 975,   9720,  12480, 6720, 240,  6720, 480,  1440, 1680, 7335, {120, 7680, 15240},  2500},
}};

constexpr std::size_t kDefaultRow = 2;

} // namespace

const ScreenLayoutRow& screenLayoutRow(std::string_view screenWidth)
{
    for (const ScreenLayoutRow& row : kRows) {
        if (row.screenWidth == screenWidth)
            return row;
    }
    return kRows[kDefaultRow];
}

} // namespace orvex
