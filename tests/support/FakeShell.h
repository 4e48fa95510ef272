#pragma once

#include "core/help/ShellApi.h"

#include <cerrno>
#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

namespace orvex::test {

// The shell, answering what it is told to and recording every call.
class FakeShell final : public ShellApi {
public:
    int findResult = 42;
    int executeResult = 42;
    bool throwOnFind = false;

    std::vector<std::string> calls; // "find FILE in FOLDER", "open ADDRESS"
    bool probeExistedDuringFind = false;

    FindResult findExecutable(const std::string& file, const std::filesystem::path& directory) override
    {
        calls.push_back("find " + file + " in " + directory.string());
        std::error_code ignored;
        probeExistedDuringFind = std::filesystem::exists(directory / file, ignored);
        if (throwOnFind)
            throw std::system_error(ENOMEM, std::generic_category());
        return {findResult, findResult > 32 ? "/usr/bin/browser" : ""};
    }

    int shellExecute(const std::string& url) override
    {
        calls.push_back("open " + url);
        return executeResult;
    }
};

} // namespace orvex::test
