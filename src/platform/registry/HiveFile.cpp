#include "platform/registry/HiveFile.h"

#include "platform/registry/HiveText.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdlib>
#include <optional>
#include <string_view>
#include <thread>
#include <vector>
#include <fcntl.h>
#include <pwd.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace orvex::platform {
namespace {

// Attempts to lock a hive that other writers keep replacing meanwhile.
constexpr int kLockAttempts = 100;
// As many links as the system itself follows.
constexpr int kSymlinkHops = 40;
// A temporary file this much older than the write that finds it belongs to a
// writer that died: live ones rename theirs within milliseconds, under the
// lock that the finder holds.
constexpr auto kStaleAge = std::chrono::minutes(1);
// The temporary files' names: the hive's name, this, six random characters.
constexpr std::string_view kTemporaryInfix = ".tmp-";
constexpr std::size_t kTemporaryRandom = 6;

LStatus fromErrno(int error, LStatus otherwise)
{
    return error == EACCES || error == EPERM || error == EROFS ? reg::ERROR_ACCESS_DENIED : otherwise;
}

std::filesystem::path fromEnvironment(const char* name)
{
    const char* value = std::getenv(name);
    return value != nullptr ? std::filesystem::path(value) : std::filesystem::path();
}

// Closes the descriptor on every way out.
class Descriptor {
public:
    explicit Descriptor(int fd) : fd_(fd) {}
    ~Descriptor()
    {
        if (fd_ >= 0)
            ::close(fd_);
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int get() const { return fd_; }
    bool valid() const { return fd_ >= 0; }
    int release()
    {
        const int fd = fd_;
        fd_ = -1;
        return ::close(fd);
    }

private:
    int fd_;
};

// Only a regular file can be a hive: a device, FIFO, socket or folder is
// never opened for writing, nor read (a FIFO would block, /dev/zero never ends).
bool isRegular(const struct stat& status)
{
    return S_ISREG(status.st_mode);
}

// False for anything at `path` that is not a regular file; true when nothing
// is there.
bool regularOrAbsent(const std::filesystem::path& path)
{
    struct stat status {};
    if (::stat(path.c_str(), &status) != 0)
        return errno == ENOENT;
    return isRegular(status);
}

// Opens what is at `path` only if it is a regular file, without blocking.
int openRegular(const std::filesystem::path& path, int flags)
{
    const int fd = ::open(path.c_str(), flags | O_NONBLOCK | O_NOCTTY | O_CLOEXEC, 0666);
    struct stat status {};
    if (fd >= 0 && (::fstat(fd, &status) != 0 || !isRegular(status))) {
        ::close(fd);
        errno = EPERM;
        return -1;
    }
    return fd;
}

// Reads the file in one piece of its own size, so that memory stays that
// size, and refuses one over `limit` bytes.
bool readAll(int fd, std::string& text, std::size_t limit)
{
    struct stat status {};
    if (::fstat(fd, &status) != 0 || static_cast<std::uintmax_t>(status.st_size) > limit)
        return false;
    text.reserve(static_cast<std::size_t>(status.st_size));
    char buffer[16384];
    while (true) {
        const ssize_t got = ::read(fd, buffer, sizeof buffer);
        if (got == 0)
            return true;
        if (got < 0 && errno != EINTR)
            return false;
        if (got > 0)
            text.append(buffer, static_cast<std::size_t>(got));
        if (text.size() > limit)
            return false;
    }
}

bool writeAll(int fd, std::string_view text)
{
    while (!text.empty()) {
        const ssize_t written = ::write(fd, text.data(), text.size());
        if (written < 0 && errno != EINTR)
            return false;
        if (written > 0)
            text.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
}

// Root run with another user's HOME (sudo -E) must not write where that user
// points it: only the effective user's and root's links and folders are
// followed.
bool trustedOwner(uid_t owner)
{
    return owner == ::geteuid() || owner == 0;
}

// The file to write, so that a symbolic link to the hive stays a link, even
// one whose target does not exist yet. Nothing when a link on the way, or the
// last folder that exists, belongs to another user.
std::optional<std::filesystem::path> resolved(const std::filesystem::path& path)
{
    std::error_code error;
    const auto whole = std::filesystem::absolute(path, error);
    if (error)
        return std::nullopt;
    const auto relative = whole.relative_path();
    std::vector<std::filesystem::path> pending(relative.begin(), relative.end());
    std::reverse(pending.begin(), pending.end());
    std::filesystem::path done = whole.root_path();
    struct stat folder {};
    if (::stat(done.c_str(), &folder) != 0)
        return std::nullopt;
    int hops = 0;
    while (!pending.empty()) {
        const std::filesystem::path part = pending.back();
        pending.pop_back();
        if (part.empty() || part == ".")
            continue;
        if (part == "..") {
            done = done.parent_path();
            continue;
        }
        struct stat status {};
        if (::lstat((done / part).c_str(), &status) != 0) {
            if (errno != ENOENT)
                return std::nullopt;
            // The rest is made by this program, as this user.
            done /= part;
            for (auto rest = pending.rbegin(); rest != pending.rend(); ++rest)
                done /= *rest;
            break;
        }
        if (S_ISLNK(status.st_mode)) {
            if (!trustedOwner(status.st_uid) || ++hops > kSymlinkHops)
                return std::nullopt;
            const auto target = std::filesystem::read_symlink(done / part, error);
            if (error)
                return std::nullopt;
            for (auto next = target.end(); next != target.begin();) {
                --next;
                if (!next->has_root_directory())
                    pending.push_back(*next);
            }
            if (target.is_absolute())
                done = target.root_path();
            continue;
        }
        done /= part;
        if (S_ISDIR(status.st_mode))
            folder = status;
    }
    if (!trustedOwner(folder.st_uid))
        return std::nullopt;
    return done;
}

void syncFolder(const std::filesystem::path& folder)
{
    const Descriptor fd(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (fd.valid())
        ::fsync(fd.get());
}

// Writes `text` to a new file beside `target` with the hive's mode and owner;
// the temporary file's path on success, empty on failure.
std::filesystem::path writeTemporary(const std::filesystem::path& target, const struct stat& hive, std::string_view text)
{
    std::string name = target.string() + std::string(kTemporaryInfix) + std::string(kTemporaryRandom, 'X');
    Descriptor fd(::mkstemp(name.data()));
    if (!fd.valid())
        return {};
    ::fchmod(fd.get(), hive.st_mode & 07777);
    // Keeps the owner when root rewrites a user's hive; elsewhere a no-op.
    [[maybe_unused]] const int owner = ::fchown(fd.get(), hive.st_uid, hive.st_gid);
    if (!writeAll(fd.get(), text) || ::fsync(fd.get()) != 0 || fd.release() != 0) {
        ::unlink(name.c_str());
        return {};
    }
    return name;
}

bool isTemporaryOf(const std::string& name, const std::string& hiveName)
{
    const std::string prefix = hiveName + std::string(kTemporaryInfix);
    if (name.size() != prefix.size() + kTemporaryRandom || name.compare(0, prefix.size(), prefix) != 0)
        return false;
    return std::all_of(name.begin() + static_cast<std::ptrdiff_t>(prefix.size()), name.end(),
                       [](char c) { return std::isalnum(static_cast<unsigned char>(c)) != 0; });
}

// Removes what killed writers left beside the hive: files of the temporary
// files' pattern only, regular ones (never what a link points to), old ones.
void removeStaleTemporaries(const std::filesystem::path& target)
{
    const std::string hiveName = target.filename().string();
    const auto now = std::chrono::system_clock::now();
    std::error_code error;
    for (std::filesystem::directory_iterator entry(target.parent_path(), error), end; !error && entry != end;
         entry.increment(error)) {
        const std::filesystem::path& path = entry->path();
        struct stat status {};
        if (!isTemporaryOf(path.filename().string(), hiveName) || ::lstat(path.c_str(), &status) != 0
            || !isRegular(status))
            continue;
        const auto modified = std::chrono::system_clock::from_time_t(status.st_mtim.tv_sec);
        if (now - modified > kStaleAge)
            ::unlink(path.c_str());
    }
}

bool lockWithin(int fd, std::chrono::milliseconds wait)
{
    const auto deadline = std::chrono::steady_clock::now() + wait;
    for (;;) {
        if (::flock(fd, LOCK_EX | LOCK_NB) == 0)
            return true;
        if (errno != EWOULDBLOCK && errno != EINTR)
            return false;
        if (std::chrono::steady_clock::now() >= deadline)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
}

} // namespace

std::filesystem::path hiveLocation()
{
    if (auto path = fromEnvironment("ORVEX_REGISTRY_FILE"); !path.empty())
        return path;
    // The XDG rules ignore a relative XDG_CONFIG_HOME, and so a relative HOME:
    // either would put the hive in whatever folder the program runs in.
    if (auto config = fromEnvironment("XDG_CONFIG_HOME"); config.is_absolute())
        return config / "orvex" / "registry.reg";
    auto home = fromEnvironment("HOME");
    if (home.empty()) {
        if (const passwd* user = ::getpwuid(::getuid()); user != nullptr && user->pw_dir != nullptr)
            home = user->pw_dir;
    }
    if (!home.is_absolute())
        return {};
    return home / ".config" / "orvex" / "registry.reg";
}

HiveFile::HiveFile(std::filesystem::path path) : path_(std::move(path)) {}

LStatus HiveFile::read(HiveDocument& document) const
{
    if (path_.empty())
        return reg::ERROR_CANTREAD;
    if (!regularOrAbsent(path_))
        return reg::ERROR_BADDB;
    const Descriptor fd(openRegular(path_, O_RDONLY));
    std::string text;
    if (!fd.valid()) {
        if (errno != ENOENT)
            return fromErrno(errno, reg::ERROR_CANTREAD);
    } else if (!readAll(fd.get(), text, kReadLimit)) {
        return reg::ERROR_CANTREAD;
    }
    auto parsed = parseHive(std::move(text));
    if (!parsed)
        return reg::ERROR_BADDB;
    document = std::move(*parsed);
    return reg::ERROR_SUCCESS;
}

bool HiveFile::writable() const
{
    if (path_.empty())
        return false;
    const auto found = resolved(path_);
    if (!found)
        return false;
    const auto& target = *found;
    if (!regularOrAbsent(target))
        return false;
    if (::access(target.c_str(), W_OK) != 0 && errno != ENOENT)
        return false;
    // The replacement is made in the hive's folder, or the nearest one that
    // exists yet.
    auto folder = target.parent_path();
    std::error_code error;
    while (!folder.empty() && !std::filesystem::exists(folder, error) && folder != folder.parent_path())
        folder = folder.parent_path();
    return ::access(folder.empty() ? "." : folder.c_str(), W_OK | X_OK) == 0;
}

LStatus HiveFile::update(const Edit& edit)
{
    if (path_.empty())
        return reg::ERROR_CANTWRITE;
    const auto found = resolved(path_);
    if (!found)
        return reg::ERROR_ACCESS_DENIED;
    const auto& target = *found;
    if (!regularOrAbsent(target))
        return reg::ERROR_ACCESS_DENIED;
    std::error_code error;
    std::filesystem::create_directories(target.parent_path(), error);
    if (error)
        return fromErrno(error.value(), reg::ERROR_CANTWRITE);

    for (int attempt = 0; attempt < kLockAttempts; ++attempt) {
        // The link was followed above; one put in its place meanwhile is not.
        Descriptor fd(openRegular(target, O_RDWR | O_CREAT | O_NOFOLLOW));
        if (!fd.valid())
            return fromErrno(errno, reg::ERROR_CANTWRITE);
        if (!lockWithin(fd.get(), lockWait_))
            return reg::ERROR_CANTWRITE;
        // Another writer may have replaced the file while we waited: the lock
        // then guards a file that is no longer the hive.
        struct stat locked {};
        struct stat current {};
        if (::fstat(fd.get(), &locked) != 0)
            return reg::ERROR_CANTWRITE;
        if (::stat(target.c_str(), &current) != 0 || current.st_ino != locked.st_ino || current.st_dev != locked.st_dev)
            continue;

        removeStaleTemporaries(target);
        // A hive this large is no longer the program's own: it is read, never rewritten.
        std::string text;
        if (!readAll(fd.get(), text, kRewriteLimit))
            return reg::ERROR_CANTWRITE;
        auto document = parseHive(std::move(text));
        if (!document)
            return reg::ERROR_BADDB;
        bool changed = false;
        if (const LStatus status = edit(*document, changed); status != reg::ERROR_SUCCESS || !changed)
            return status;

        const auto temporary = writeTemporary(target, locked, writeHive(*document));
        if (temporary.empty())
            return reg::ERROR_CANTWRITE;
        if (beforeReplace_)
            beforeReplace_();
        if (::rename(temporary.c_str(), target.c_str()) != 0) {
            const int reason = errno;
            ::unlink(temporary.c_str());
            return fromErrno(reason, reg::ERROR_CANTWRITE);
        }
        syncFolder(target.parent_path());
        return reg::ERROR_SUCCESS; // closing the old file releases the lock
    }
    return reg::ERROR_CANTWRITE;
}

} // namespace orvex::platform
