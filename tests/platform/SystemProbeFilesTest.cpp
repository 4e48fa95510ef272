#include "platform/SystemProbeFiles.h"

#include "support/ForkedChild.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <fstream>
#include <functional>

#include <sys/stat.h>
#include <unistd.h>

namespace orvex::platform {
namespace {

namespace fs = std::filesystem;

constexpr const char* kName = "x27z42j.html";

struct ThereBefore {
    const char* name;
    std::function<void(const fs::path& at, const fs::path& elsewhere)> make;
};

void PrintTo(const ThereBefore& c, std::ostream* out)
{
    *out << c.name;
}

class NameTaken : public testing::TestWithParam<ThereBefore> {};

// Whatever has the probe's name already is neither opened, followed, changed
// nor removed, and the call returns at once.
TEST_P(NameTaken, isLeftAsItWas)
{
    const test::TempDir folder;
    const test::TempDir elsewhere;
    const fs::path at = folder.path() / kName;
    GetParam().make(at, elsewhere.path());
    const int status = test::runInChild([&] {
        ::alarm(10);
        SystemProbeFiles files;
        if (files.create(folder.path(), kName))
            return 1;
        files.remove(folder.path(), kName);
        return 0;
    });
    ASSERT_TRUE(WIFEXITED(status)) << "killed by signal " << WTERMSIG(status);
    EXPECT_EQ(WEXITSTATUS(status), 0);
    EXPECT_TRUE(fs::exists(fs::symlink_status(at)));
    EXPECT_FALSE(fs::exists(elsewhere.path() / "target"));
    if (fs::is_regular_file(fs::symlink_status(at))) {
        EXPECT_EQ(test::readFile(at), "theirs");
    }
}

INSTANTIATE_TEST_SUITE_P(SystemProbeFiles, NameTaken,
    testing::Values(
        ThereBefore{"danglingLink", [](const fs::path& at, const fs::path& e) { fs::create_symlink(e / "target", at); }},
        ThereBefore{"linkToAFile",
                    [](const fs::path& at, const fs::path& e) {
                        std::ofstream(e / "file") << "theirs";
                        fs::create_symlink(e / "file", at);
                    }},
        ThereBefore{"fifo", [](const fs::path& at, const fs::path&) { ::mkfifo(at.c_str(), 0600); }},
        ThereBefore{"folder", [](const fs::path& at, const fs::path&) { fs::create_directory(at); }},
        ThereBefore{"theirFile", [](const fs::path& at, const fs::path&) { std::ofstream(at) << "theirs"; }}),
    [](const testing::TestParamInfo<ThereBefore>& info) { return std::string(info.param.name); });

TEST(SystemProbeFiles, createdFile_isEmptyAndRemovedOnlyWhileItIsTheSame)
{
    const test::TempDir folder;
    SystemProbeFiles files;
    ASSERT_TRUE(files.create(folder.path(), kName));
    EXPECT_EQ(fs::file_size(folder.path() / kName), 0U);
    files.remove(folder.path(), kName);
    EXPECT_FALSE(fs::exists(folder.path() / kName));

    // Replaced between the lookup and the removal: the new file is someone's.
    ASSERT_TRUE(files.create(folder.path(), kName));
    fs::rename(folder.path() / kName, folder.path() / "moved");
    folder.write(kName, "theirs");
    files.remove(folder.path(), kName);
    EXPECT_EQ(test::readFile(folder.path() / kName), "theirs");
    // Never created by this object: not removed either.
    files.remove(folder.path(), kName);
    EXPECT_TRUE(fs::exists(folder.path() / kName));
}

TEST(SystemProbeFiles, privateFolders_areNewOwnerOnlyAndGoWhenEmpty)
{
    const test::TempDir shared;
    SystemProbeFiles files(shared.path());
    const fs::path first = files.makePrivateFolder();
    const fs::path second = files.makePrivateFolder();
    EXPECT_NE(first, second);
    for (const fs::path& folder : {first, second}) {
        EXPECT_EQ(folder.parent_path(), shared.path());
        EXPECT_EQ(fs::status(folder).permissions() & fs::perms::all, fs::perms::owner_all);
    }
    std::ofstream(second / "left") << "x";
    files.removePrivateFolder(first);
    files.removePrivateFolder(second);
    EXPECT_FALSE(fs::exists(first));
    EXPECT_TRUE(fs::exists(second / "left")); // never a recursive removal
    EXPECT_THROW(SystemProbeFiles(shared.path() / "gone").makePrivateFolder(), std::system_error);
}

} // namespace
} // namespace orvex::platform
