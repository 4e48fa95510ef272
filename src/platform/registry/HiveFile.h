#pragma once

#include "platform/registry/HiveDocument.h"
#include "core/settings/RegistryApi.h"

#include <chrono>
#include <filesystem>
#include <functional>

namespace orvex::platform {

// Where the hive lives: $ORVEX_REGISTRY_FILE if set, else
// $XDG_CONFIG_HOME/orvex/registry.reg, else ~/.config/orvex/registry.reg.
// Empty when no home folder is known.
std::filesystem::path hiveLocation();

// The hive file on disk. Reads take the file as it is; every change is a
// read-modify-write under an exclusive flock on the hive, written to a
// temporary file beside it, flushed, and renamed over the hive, so two
// programs writing at once lose neither write and a crash leaves the old
// file whole. A file that does not begin with the hive header is never
// rewritten, nor is one over kRewriteLimit bytes, nor anything that is not a
// regular file (a symbolic link to one is written through: its target is
// replaced and the link stays).
class HiveFile {
public:
    // The program's own hive holds a few short values; one this large is
    // read but left alone.
    static constexpr std::size_t kRewriteLimit = std::size_t{64} << 20;
    // Beyond this a hive is not even read: its settings read as defaults.
    static constexpr std::size_t kReadLimit = std::size_t{1} << 30;

    using Edit = std::function<LStatus(HiveDocument& document, bool& changed)>;

    explicit HiveFile(std::filesystem::path path);

    const std::filesystem::path& path() const { return path_; }

    // A missing file is an empty hive; a file that is not a hive, or not a
    // regular file, gives ERROR_BADDB.
    LStatus read(HiveDocument& document) const;

    // False where the program may only read: the hive file, or the folder
    // that takes its replacement, is not writable.
    bool writable() const;

    // Runs `edit` on the current hive under the lock; when it succeeds and
    // reports a change, the file is replaced with the result.
    LStatus update(const Edit& edit);

    // Runs after the new hive is flushed to its temporary file and before it
    // replaces the old one: where tests stop a writer to stand for a crash.
    void setBeforeReplaceHook(std::function<void()> hook) { beforeReplace_ = std::move(hook); }

    // How long a write waits for another program's lock before it fails.
    // Writers hold it for milliseconds; a program that hangs with it must
    // not hang this one's start.
    void setLockWait(std::chrono::milliseconds wait) { lockWait_ = wait; }
    static constexpr std::chrono::milliseconds kDefaultLockWait{3000};

private:
    std::filesystem::path path_;
    std::function<void()> beforeReplace_;
    std::chrono::milliseconds lockWait_ = kDefaultLockWait;
};

} // namespace orvex::platform
