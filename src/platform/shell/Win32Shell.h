#pragma once

#include "core/help/ShellApi.h"

namespace orvex::platform {

// The Windows shell: FindExecutableW and ShellExecuteW of shell32. Texts
// cross this interface in UTF-8.
class Win32Shell final : public ShellApi {
public:
    // `ownerWindow` is the HWND that owns any window the shell shows; may be null.
    explicit Win32Shell(void* ownerWindow = nullptr) : owner_(ownerWindow) {}
    void setOwnerWindow(void* ownerWindow) { owner_ = ownerWindow; }

    FindResult findExecutable(const std::string& file, const std::filesystem::path& directory) override;
    int shellExecute(const std::string& url) override;

private:
    void* owner_;
};

} // namespace orvex::platform
