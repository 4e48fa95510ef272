#pragma once

#include <nlohmann/json.hpp>

#include <string>

namespace orvex::cli {

// The tool's JSON, indented; bytes of a data file that are not UTF-8 are
// replaced rather than thrown on.
inline std::string jsonText(const nlohmann::json& value)
{
    return value.dump(2, ' ', false, nlohmann::json::error_handler_t::replace);
}

} // namespace orvex::cli
