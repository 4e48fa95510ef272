#include "cli/CommandLine.h"

#include <algorithm>

namespace orvex::cli {

std::variant<Arguments, UsageError> parseArguments(const std::vector<std::string>& arguments,
                                                   std::initializer_list<std::string_view> valued,
                                                   std::initializer_list<std::string_view> flags)
{
    const auto among = [](std::initializer_list<std::string_view> names, std::string_view name) {
        return std::find(names.begin(), names.end(), name) != names.end();
    };
    Arguments parsed;
    bool optionsEnded = false;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        if (optionsEnded || argument.size() < 2 || argument.compare(0, 2, "--") != 0) {
            parsed.operands.push_back(argument);
            continue;
        }
        if (argument == "--") {
            optionsEnded = true;
            continue;
        }
        Option option{argument, std::nullopt};
        if (const auto equals = argument.find('='); equals != std::string::npos) {
            option.name = argument.substr(0, equals);
            option.value = argument.substr(equals + 1);
        }
        if (among(valued, option.name)) {
            if (!option.value && i + 1 < arguments.size())
                option.value = arguments[++i];
            if (!option.value)
                return UsageError{option.name + " needs a value"};
        } else if (!among(flags, option.name)) {
            return UsageError{"unknown option " + option.name};
        } else if (option.value) {
            return UsageError{option.name + " takes no value"};
        }
        parsed.options.push_back(std::move(option));
    }
    return parsed;
}

std::variant<bool, UsageError> jsonFormat(const std::string& value)
{
    if (value != "text" && value != "json")
        return UsageError{"--format must be \"text\" or \"json\", not \"" + value + "\""};
    return value == "json";
}

} // namespace orvex::cli
