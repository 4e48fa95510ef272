#include "platform/date/LongDate.h"

#include <gtest/gtest.h>

#include <chrono>
#include <ctime>
#include <string>

namespace orvex::platform {
namespace {

// The report's date comes from the system (Qt elsewhere, the locale functions
// on Windows) in its long form, which names the year in every locale.
TEST(LongDate, todayLongDate_namesThisYear)
{
    const std::time_t now = std::chrono::system_clock::to_time_t(std::chrono::system_clock::now());
    const std::tm local = *std::localtime(&now);
    const std::string date = todayLongDate();
    EXPECT_NE(date.find(std::to_string(1900 + local.tm_year)), std::string::npos) << date;
}

} // namespace
} // namespace orvex::platform
