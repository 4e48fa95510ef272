#include "platform/registry/HiveFileRegistry.h"

#include "support/ForkedChild.h"
#include "support/TempDir.h"
#include "core/settings/CRegSettings.h"

#include <gtest/gtest.h>

#include <csignal>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>
#include <set>

namespace orvex {
namespace {

namespace fs = std::filesystem;

constexpr int kWritesEach = 25;

CRegSettings store(RegistryApi& registry)
{
    CRegSettings settings(registry);
    settings.Company("Tarnwell");
    settings.AppName("OCS");
    return settings;
}

TEST(HiveConcurrency, twoProgramsWritingAtOnce_loseNeitherWrite)
{
    const test::TempDir dir;
    const fs::path hive = dir.path() / "registry.reg";
    int gate[2];
    ASSERT_EQ(::pipe(gate), 0);
    std::vector<pid_t> writers;
    for (const char* prefix : {"a", "b"}) {
        writers.push_back(test::startChild([&] {
            ::close(gate[1]);
            char ignored;
            // Both start when the parent closes the gate.
            [[maybe_unused]] const auto opened = ::read(gate[0], &ignored, 1);
            platform::HiveFileRegistry registry(hive);
            CRegSettings settings = store(registry);
            for (int i = 0; i < kWritesEach; ++i)
                if (settings.SaveSetting("S", prefix + std::to_string(i), "v") != kTrue)
                    return 1;
            return 0;
        }));
    }
    ::close(gate[0]);
    ::close(gate[1]);
    for (const pid_t writer : writers) {
        const int status = test::waitChild(writer);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    }

    platform::HiveFileRegistry registry(hive);
    const auto all = store(registry).GetAllSettings("S");
    ASSERT_TRUE(all);
    std::set<std::string> names;
    for (const auto& row : *all)
        names.insert(row[0]);
    EXPECT_EQ(names.size(), 2u * kWritesEach);
    for (int i = 0; i < kWritesEach; ++i) {
        EXPECT_TRUE(names.count("a" + std::to_string(i))) << i;
        EXPECT_TRUE(names.count("b" + std::to_string(i))) << i;
    }
}

// A hive that already holds "count" = "old", as `before`.
class HiveHoldingAValue : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_EQ(settings.SaveSetting("", "count", "old"), kTrue);
        before = test::readFile(hive);
    }

    const test::TempDir dir;
    const fs::path hive = dir.path() / "registry.reg";
    platform::HiveFileRegistry registry{hive};
    CRegSettings settings = store(registry);
    std::string before;
};

TEST_F(HiveHoldingAValue, writerKilledBeforeTheRename_leavesTheOldHiveWhole)
{

    const int status = test::runInChild([&] {
        platform::HiveFileRegistry dying(hive);
        dying.file().setBeforeReplaceHook([] { ::raise(SIGKILL); });
        store(dying).SaveSetting("", "count", "new");
        return 0;
    });
    ASSERT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL);
    EXPECT_EQ(test::readFile(hive), before);

    // The new text had reached the temporary file: the kill came between it and the rename.
    bool leftover = false;
    for (const auto& entry : fs::directory_iterator(dir.path()))
        if (entry.path() != hive)
            leftover |= test::readFile(entry.path()).find("\"count\"=\"new\"") != std::string::npos;
    EXPECT_TRUE(leftover);

    // The lock went with the dead writer.
    EXPECT_EQ(settings.GetSetting("", "count", ""), "old");
    ASSERT_EQ(settings.SaveSetting("", "count", "after"), kTrue);
    EXPECT_EQ(settings.GetSetting("", "count", ""), "after");
}

TEST_F(HiveHoldingAValue, hiveLockedByAHungProgram_failsTheWriteInsteadOfWaitingForever)
{

    int ready[2];
    ASSERT_EQ(::pipe(ready), 0);
    const pid_t holder = test::startChild([&] {
        const int fd = ::open(hive.c_str(), O_RDWR);
        if (fd < 0 || ::flock(fd, LOCK_EX) != 0)
            return 1;
        (void)!::write(ready[1], "x", 1);
        ::pause(); // hangs with the lock until killed
        return 0;
    });
    char byte = 0;
    ASSERT_EQ(::read(ready[0], &byte, 1), 1);

    registry.file().setLockWait(std::chrono::milliseconds(100));
    EXPECT_EQ(settings.SaveSetting("", "count", "new"), kFalse);
    EXPECT_EQ(test::readFile(hive), before);
    EXPECT_EQ(settings.GetSetting("", "count", ""), "old");

    ::kill(holder, SIGKILL);
    test::waitChild(holder);
    ::close(ready[0]);
    ::close(ready[1]);
    EXPECT_EQ(settings.SaveSetting("", "count", "new"), kTrue);
}

} // namespace
} // namespace orvex
