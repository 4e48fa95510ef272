#pragma once

#include "core/help/ShellApi.h"

namespace orvex::platform {

// The Windows shell: FindExecutableW and ShellExecuteW of shell32. Texts
// cross this interface in UTF-8.
class Win32Shell final : public ShellApi {
public:
    FindResult findExecutable(const std::string& file, const std::filesystem::path& directory) override;
    int shellExecute(const std::string& url) override;
};

} // namespace orvex::platform
