#include "platform/registry/HiveFileRegistry.h"

#include "support/ForkedChild.h"
#include "RegistryProbe.h"
#include "support/TempDir.h"
#include "platform/registry/HiveText.h"
#include "platform/registry/SystemRegistry.h"
#include "core/settings/CRegSettings.h"

#include <gtest/gtest.h>

#include <csignal>
#include <fcntl.h>
#include <cstdlib>
#include <functional>
#include <optional>
#include <sstream>
#include <sys/stat.h>
#include <sys/sysmacros.h>

namespace orvex {
namespace {

namespace fs = std::filesystem;
using namespace std::string_literals;

const std::string kHeader(platform::kHiveHeader);
const std::string kOcsHeader = "[HKEY_LOCAL_MACHINE\\Software\\Tarnwell\\OCS]";
const std::string kSectionSHeader = "[HKEY_LOCAL_MACHINE\\Software\\Tarnwell\\OCS\\S]";

// The program's own store over `registry`.
CRegSettings ocsSettings(RegistryApi& registry)
{
    CRegSettings settings(registry);
    settings.Company("Tarnwell");
    settings.AppName("OCS");
    return settings;
}

class HiveFile : public ::testing::Test {
protected:
    void SetUp() override
    {
        settings.Company("Tarnwell");
        settings.AppName("OCS");
    }
    void plant(const std::string& text) const { dir.write("registry.reg", text); }
    std::string text() const { return test::readFile(hive); }

    test::TempDir dir;
    fs::path hive = dir.path() / "registry.reg";
    platform::HiveFileRegistry registry{hive};
    CRegSettings settings{registry};
};

// True when every line of `before` is in `after`, in the same order.
bool keepsEveryLine(const std::string& before, const std::string& after)
{
    std::istringstream old(before);
    std::istringstream now(after);
    std::string wanted;
    std::string line;
    while (std::getline(old, wanted)) {
        do {
            if (!std::getline(now, line))
                return false;
        } while (line != wanted);
    }
    return true;
}

TEST_F(HiveFile, sectionHoldingUnreadableLines_isNotDeleted)
{
    plant(kHeader + "\n\n" + kSectionSHeader + "\n\"k\"=\"v\"\n\"cut\"=\"\n");
    const std::string before = text();
    EXPECT_EQ(settings.DeleteSetting("S", ""), kFalse);
    EXPECT_EQ(text(), before);
    EXPECT_EQ(settings.DeleteSetting("S", "k"), kTrue);
}

TEST_F(HiveFile, fileThatIsNotAHive_isNeverRewritten)
{
    for (const std::string& junk : {"\x01\x02 junk\n"s, "Windows Registry Ed"s, "\xFF\xFEW\0i\0"s}) {
        plant(junk);
        EXPECT_EQ(settings.SaveSetting("", "count", "1"), kFalse);
        EXPECT_EQ(settings.DeleteSetting("", "count"), kFalse);
        EXPECT_EQ(settings.GetSetting("", "count", "dflt"), "dflt");
        EXPECT_FALSE(settings.GetAllSettings(""));
        EXPECT_EQ(text(), junk);
    }
}

TEST_F(HiveFile, hiveCutAtAnyByte_losesNoLineOnTheNextWrite)
{
    const std::string whole = kHeader + "\r\n\r\n" + kOcsHeader + "\r\n\"count\"=\"1\"\r\n\"q\"=\"say \\\"x\\\"\"\r\n"
        "\"b\"=hex:01,02,\\\r\n  03\r\n\r\n" + kSectionSHeader + "\r\n@=dword:00000001\r\n";
    for (std::size_t length = 0; length <= whole.size(); ++length) {
        const std::string cut = whole.substr(0, length);
        plant(cut);
        platform::HiveFileRegistry fresh(hive);
        CRegSettings store = ocsSettings(fresh);
        const bool isHive = length == 0 || length >= kHeader.size();
        ASSERT_EQ(store.SaveSetting("", "new", "v"), toBoolean(isHive)) << length;
        if (isHive) {
            EXPECT_TRUE(keepsEveryLine(cut, text())) << length << '\n' << text();
            EXPECT_EQ(store.GetSetting("", "new", ""), "v") << length;
        } else {
            EXPECT_EQ(text(), cut) << length;
        }
    }
}

TEST_F(HiveFile, readOnlyHive_readsDefaultsButStillLists)
{
    ASSERT_EQ(settings.SaveSetting("S", "k", "v"), kTrue);
    const std::string before = text();
    fs::permissions(hive, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    fs::permissions(dir.path(), fs::perms::owner_read | fs::perms::owner_exec | fs::perms::group_read
                        | fs::perms::group_exec | fs::perms::others_read | fs::perms::others_exec);
    // Each failed check sets one bit of the exit code.
    const int status = test::runInChild([&] {
        if (!test::dropRoot())
            return test::kCannotDropRoot;
        platform::HiveFileRegistry readOnly(hive);
        CRegSettings store = ocsSettings(readOnly);
        int failed = 0;
        failed |= store.SaveSetting("S", "k", "new") == kFalse ? 0 : 1;
        failed |= store.SaveSetting("T", "k", "new") == kFalse ? 0 : 2;
        failed |= store.DeleteSetting("S", "k") == kFalse ? 0 : 4;
        failed |= store.DeleteSetting("S", "") == kFalse ? 0 : 8;
        failed |= store.GetSetting("S", "k", "dflt") == "dflt" ? 0 : 16;
        failed |= store.GetAllSettings("S") == SettingsArray{{"k", "v"}} ? 0 : 32;
        return failed;
    });
    ASSERT_TRUE(WIFEXITED(status));
    if (WEXITSTATUS(status) == test::kCannotDropRoot)
        GTEST_SKIP() << "running as root and cannot become an unprivileged user";
    EXPECT_EQ(WEXITSTATUS(status), 0) << "bit mask of failed checks";
    EXPECT_EQ(text(), before);
}

TEST_F(HiveFile, rewrite_keepsTheFileModeAndASymbolicLink)
{
    const fs::path real = dir.path() / "real.reg";
    fs::create_symlink(real, hive);
    ASSERT_EQ(settings.SaveSetting("", "count", "1"), kTrue);
    fs::permissions(real, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    ASSERT_EQ(settings.SaveSetting("", "count", "2"), kTrue);
    EXPECT_TRUE(fs::is_symlink(hive));
    EXPECT_EQ(fs::status(real).permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    EXPECT_NE(test::readFile(real).find("\"count\"=\"2\""), std::string::npos);
}

TEST_F(HiveFile, savingWhatIsStored_leavesTheFileAlone)
{
    ASSERT_EQ(settings.SaveSetting("", "count", "1"), kTrue);
    struct stat before {};
    struct stat after {};
    ASSERT_EQ(::stat(hive.c_str(), &before), 0);
    ASSERT_EQ(settings.SaveSetting("", "count", "1"), kTrue);
    ASSERT_EQ(::stat(hive.c_str(), &after), 0);
    EXPECT_EQ(before.st_ino, after.st_ino);
}

TEST_F(HiveFile, keyDeletedByAnotherProgram_failsItsOpenHandle)
{
    ASSERT_EQ(settings.SaveSetting("S", "k", "v"), kTrue);
    HKey key = 0;
    ASSERT_EQ(registry.openKey(reg::HKEY_LOCAL_MACHINE, "software\\tarnwell\\ocs\\s", reg::KEY_ALL_ACCESS, key),
              reg::ERROR_SUCCESS);
    platform::HiveFileRegistry other(hive);
    CRegSettings otherStore = ocsSettings(other);
    ASSERT_EQ(otherStore.DeleteSetting("S", "k"), kTrue);
    ASSERT_EQ(otherStore.DeleteSetting("S", ""), kTrue);
    std::uint32_t size = 0;
    EXPECT_EQ(registry.queryValue(key, "k", nullptr, nullptr, &size), reg::ERROR_KEY_DELETED);
    EXPECT_EQ(registry.setValue(key, "k", reg::REG_SZ, reinterpret_cast<const std::uint8_t*>("x"), 2),
              reg::ERROR_KEY_DELETED);
    EXPECT_EQ(registry.closeKey(key), reg::ERROR_SUCCESS);
    EXPECT_FALSE(test::keyExists(registry, "Software\\Tarnwell\\OCS\\S"));
}

struct NodeCase {
    const char* name;
    // Makes the node at the path; false where this user cannot.
    std::function<bool(const fs::path&)> make;
};

bool makeDevice(const fs::path& path, unsigned minor)
{
    // /dev/zero (1,5), as a copy of our own.
    return ::mknod(path.c_str(), S_IFCHR | 0666, makedev(1, minor)) == 0;
}

// What is at `path` itself: its type, inode and device number.
std::tuple<mode_t, ino_t, dev_t> identity(const fs::path& path)
{
    struct stat status {};
    ::lstat(path.c_str(), &status);
    return {status.st_mode, status.st_ino, status.st_rdev};
}

// A hive that is no regular file: reads give the defaults, writes fail, and
// nothing on disk changes, whether the node is the hive or a link's target.
TEST_F(HiveFile, hiveThatIsNoRegularFile_isNeitherReadNorWritten)
{
    const std::vector<NodeCase> cases = {
        {"fifo", [](const fs::path& p) { return ::mkfifo(p.c_str(), 0666) == 0; }},
        {"folder", [](const fs::path& p) { return fs::create_directory(p); }},
        {"devZero", [](const fs::path& p) { return makeDevice(p, 5); }},
    };
    for (const NodeCase& node : cases) {
        for (const bool linked : {false, true}) {
            const test::TempDir place;
            const fs::path target = place.path() / (linked ? "node" : "registry.reg");
            const fs::path oddHive = place.path() / "registry.reg";
            if (!node.make(target)) {
                std::cout << node.name << ": cannot be made by this user, not tried\n";
                continue;
            }
            if (linked)
                fs::create_symlink(target, oddHive);
            const auto before = identity(target);
            // In a child with an alarm: a FIFO would block it, /dev/zero fill its memory.
            const int status = test::runInChild([&] {
                ::alarm(10);
                platform::HiveFileRegistry odd(oddHive);
                CRegSettings store = ocsSettings(odd);
                int failed = 0;
                failed |= store.SaveSetting("", "count", "1") == kFalse ? 0 : 1;
                failed |= store.GetSetting("", "count", "dflt") == "dflt" ? 0 : 2;
                failed |= !store.GetAllSettings("") ? 0 : 4;
                failed |= store.DeleteSetting("", "count") == kFalse ? 0 : 8;
                return failed;
            });
            const std::string label = std::string(node.name) + (linked ? " behind a link" : "");
            ASSERT_TRUE(WIFEXITED(status)) << label << " killed by signal " << WTERMSIG(status);
            EXPECT_EQ(WEXITSTATUS(status), 0) << label << ": bit mask of failed checks";
            EXPECT_EQ(identity(target), before) << label;
            EXPECT_EQ(linked, fs::is_symlink(oddHive)) << label;
            EXPECT_EQ(std::distance(fs::directory_iterator(place.path()), fs::directory_iterator()), linked ? 2 : 1)
                << label << ": a file was left beside it";
        }
    }
}

// Root with another user's HOME: a link or folder of that user's is never
// written through; the write fails and nothing is made.
TEST_F(HiveFile, linkOrFolderOfAnotherUser_isNotWrittenThrough)
{
    constexpr uid_t nobody = 65534;
    const fs::path target = dir.path() / "target.reg";
    const fs::path theirs = dir.path() / "home";
    fs::create_symlink(target, hive);
    fs::create_directory(theirs);
    if (::lchown(hive.c_str(), nobody, nobody) != 0 || ::chown(theirs.c_str(), nobody, nobody) != 0)
        GTEST_SKIP() << "only root can give a file to another user";
    for (const fs::path& path : {hive, theirs / ".config" / "orvex" / "registry.reg"}) {
        platform::HiveFileRegistry registry(path);
        EXPECT_EQ(ocsSettings(registry).SaveSetting("", "count", "1"), kFalse) << path;
    }
    EXPECT_FALSE(fs::exists(target));
    EXPECT_TRUE(fs::is_empty(theirs));
}

// Sets a file's (or a link's own) modification time `age` into the past.
void age(const fs::path& path, std::chrono::seconds age)
{
    const timespec then{::time(nullptr) - static_cast<time_t>(age.count()), 0};
    const timespec times[2] = {then, then};
    ASSERT_EQ(::utimensat(AT_FDCWD, path.c_str(), times, AT_SYMLINK_NOFOLLOW), 0) << path;
}

TEST_F(HiveFile, staleTemporaryFiles_areRemovedByTheNextWrite)
{
    ASSERT_EQ(settings.SaveSetting("", "count", "1"), kTrue);
    const test::TempDir elsewhere;
    const auto outside = elsewhere.write("precious", "theirs");
    const auto stale = dir.write("registry.reg.tmp-a1B2c3", "half a hive");
    const auto young = dir.write("registry.reg.tmp-d4E5f6", "a writer at work");
    const auto notOurs = dir.write("registry.reg.tmp-backup1", "the user's");
    const auto otherHive = dir.write("other.reg.tmp-a1B2c3", "another hive's");
    const fs::path link = dir.path() / "registry.reg.tmp-LnK789";
    const fs::path folder = dir.path() / "registry.reg.tmp-Dir000";
    fs::create_symlink(outside, link);
    fs::create_directory(folder);
    for (const fs::path& old : {fs::path(stale), fs::path(notOurs), fs::path(otherHive), link, folder})
        age(old, std::chrono::hours(1));

    ASSERT_EQ(settings.SaveSetting("", "count", "2"), kTrue);
    EXPECT_FALSE(fs::exists(stale));
    for (const fs::path& kept : {fs::path(young), fs::path(notOurs), fs::path(otherHive), link, folder})
        EXPECT_TRUE(fs::exists(fs::symlink_status(kept))) << kept;
    EXPECT_EQ(test::readFile(outside), "theirs");
}

// The limit is on the hive as found: one byte over it and the write fails.
TEST_F(HiveFile, hiveOverTheRewriteLimit_isReadButNeverRewritten)
{
    const std::string head = kHeader + "\n\n" + kOcsHeader + "\n\"count\"=\"1\"\n;";
    for (const std::size_t size : {platform::HiveFile::kRewriteLimit, platform::HiveFile::kRewriteLimit + 1}) {
        const std::string big = head + std::string(size - head.size() - 1, 'x') + "\n";
        plant(big);
        EXPECT_EQ(settings.GetSetting("", "count", "dflt"), "1") << size;
        const bool withinLimit = size <= platform::HiveFile::kRewriteLimit;
        EXPECT_EQ(settings.SaveSetting("", "count", "2"), toBoolean(withinLimit)) << size;
        if (!withinLimit) {
            EXPECT_EQ(text(), big);
        }
    }
}

// Sets or clears one environment variable for the life of the object.
class ScopedEnv {
public:
    ScopedEnv(const char* name, const char* value) : name_(name)
    {
        if (const char* old = std::getenv(name))
            old_ = old;
        value ? ::setenv(name, value, 1) : ::unsetenv(name);
    }
    ~ScopedEnv() { old_ ? ::setenv(name_, old_->c_str(), 1) : ::unsetenv(name_); }
    ScopedEnv(const ScopedEnv&) = delete;
    ScopedEnv& operator=(const ScopedEnv&) = delete;

private:
    const char* name_;
    std::optional<std::string> old_;
};

struct LocationCase {
    const char* name;
    const char* override;
    const char* xdg;
    const char* expected;
    const char* home = "/home/u";
};

void PrintTo(const LocationCase& c, std::ostream* os) { *os << c.name; }

class Location : public ::testing::TestWithParam<LocationCase> {};

TEST_P(Location, followsTheEnvironment)
{
    const ScopedEnv file("ORVEX_REGISTRY_FILE", GetParam().override);
    const ScopedEnv xdg("XDG_CONFIG_HOME", GetParam().xdg);
    const ScopedEnv home("HOME", GetParam().home);
    EXPECT_EQ(platform::hiveLocation(), fs::path(GetParam().expected));
}

INSTANTIATE_TEST_SUITE_P(Environments, Location,
    ::testing::Values(LocationCase{"override", "/tmp/x/r.reg", "/cfg", "/tmp/x/r.reg"},
                      LocationCase{"emptyOverride", "", "/cfg", "/cfg/orvex/registry.reg"},
                      LocationCase{"xdg", nullptr, "/cfg", "/cfg/orvex/registry.reg"},
                      LocationCase{"relativeXdgIgnored", nullptr, "cfg", "/home/u/.config/orvex/registry.reg"},
                      LocationCase{"home", nullptr, nullptr, "/home/u/.config/orvex/registry.reg"},
                      LocationCase{"relativeHomeIgnored", nullptr, nullptr, "", "relhome"},
                      LocationCase{"relativeHomeAndXdg", nullptr, "cfg", "", "relhome"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(SystemRegistry, writesTheHiveNamedByTheEnvironment)
{
    const test::TempDir dir;
    const fs::path hive = dir.path() / "new" / "folder" / "registry.reg";
    const ScopedEnv file("ORVEX_REGISTRY_FILE", hive.c_str());
    const auto registry = platform::makeSystemRegistry();
    CRegSettings settings(*registry);
    settings.Company("Tarnwell");
    settings.AppName("OCS");
    ASSERT_EQ(settings.SaveSetting("", "count", "1"), kTrue);
    EXPECT_NE(test::readFile(hive).find("\"count\"=\"1\""), std::string::npos);
}

} // namespace
} // namespace orvex
