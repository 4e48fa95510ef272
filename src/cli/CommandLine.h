#pragma once

#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

// The one reading of orvex-compare's arguments, for both commands.
namespace orvex::cli {

struct Option {
    std::string name; // with its dashes: "--format"
    std::optional<std::string> value;
};

struct Arguments {
    std::vector<Option> options; // in the order given
    std::vector<std::string> operands;
};

struct UsageError {
    std::string message;
};

// Reads "--name value" and "--name=value" for the options in `valued`,
// "--name" for those in `flags`; "--" ends the options, and anything that
// does not begin with "--" is an operand.
std::variant<Arguments, UsageError> parseArguments(const std::vector<std::string>& arguments,
                                                   std::initializer_list<std::string_view> valued,
                                                   std::initializer_list<std::string_view> flags);

// The value of --format: true for "json", false for "text".
std::variant<bool, UsageError> jsonFormat(const std::string& value);

} // namespace orvex::cli
