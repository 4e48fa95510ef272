#include "platform/shell/XdgShell.h"

#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <chrono>
#include <csignal>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>

#include <sys/stat.h>

namespace orvex::platform {
namespace {

namespace fs = std::filesystem;

// A stand-in for xdg-mime or xdg-open: a small sh script in a temporary folder.
std::string script(const test::TempDir& dir, const std::string& name, const std::string& body)
{
    std::string path = dir.write(name, "#!/bin/sh\n" + body + "\n");
    fs::permissions(path, fs::perms::owner_all);
    return path;
}

class XdgShellFind : public testing::Test {
protected:
    test::TempDir tools;
    test::TempDir program;
    void SetUp() override { program.write("x27z42j.html", ""); }
};

TEST_F(XdgShellFind, registeredHandler_isFoundWithItsName)
{
    const auto argsFile = tools.path() / "args";
    XdgShell shell(script(tools, "xdg-mime", "printf '%s|' \"$@\" > '" + argsFile.string() + "'; echo firefox.desktop"));
    const auto found = shell.findExecutable("x27z42j.html", program.path());
    EXPECT_GT(found.result, 32);
    EXPECT_EQ(found.executable, "firefox.desktop");
    EXPECT_EQ(test::readFile(argsFile), "query|default|text/html|");
}

// What the lookup answers, by what the tool says and where the file is.
struct FindCase {
    const char* name;
    const char* tool; // the stand-in xdg-mime's script; no such tool when null
    const char* file;
    bool folderGone;
    int result;
};

void PrintTo(const FindCase& c, std::ostream* out)
{
    *out << c.name;
}

class XdgShellFindResult : public XdgShellFind, public testing::WithParamInterface<FindCase> {};

TEST_P(XdgShellFindResult, isTheShellsCode)
{
    const FindCase& c = GetParam();
    program.write("notes.txt", "");
    XdgShell shell(c.tool != nullptr ? script(tools, "xdg-mime", c.tool) : (tools.path() / "no-such-tool").string());
    EXPECT_EQ(shell.findExecutable(c.file, c.folderGone ? program.path() / "gone" : program.path()).result, c.result);
}

INSTANTIATE_TEST_SUITE_P(Answers, XdgShellFindResult,
    testing::Values(FindCase{"emptyAnswer", "exit 0", "x27z42j.html", false, kShellNoAssociation},
                    FindCase{"blankAnswer", "echo '  '", "x27z42j.html", false, kShellNoAssociation},
                    FindCase{"toolFails", "echo firefox.desktop; exit 4", "x27z42j.html", false, kShellNoAssociation},
                    FindCase{"toolKilled", "kill -9 $$", "x27z42j.html", false, kShellNoAssociation},
                    FindCase{"toolMissing", nullptr, "x27z42j.html", false, kShellNoAssociation},
                    FindCase{"fileMissing", "echo firefox.desktop", "other.html", false, kShellFileNotFound},
                    FindCase{"folderMissing", "echo firefox.desktop", "x27z42j.html", true, kShellPathNotFound},
                    FindCase{"fileThatIsNoWebPage", "echo firefox.desktop", "notes.txt", false, kShellNoAssociation}),
    [](const testing::TestParamInfo<FindCase>& info) { return std::string(info.param.name); });

constexpr std::chrono::milliseconds kShortWait{300};

// True while a process of that number runs. An orphan killed with its group
// may stay a zombie where nothing reaps orphans (a container's first
// process); it runs no more.
bool alive(pid_t pid)
{
    const std::string stat = test::readFile("/proc/" + std::to_string(pid) + "/stat");
    const std::size_t close = stat.rfind(") ");
    return close != std::string::npos && close + 2 < stat.size() && stat[close + 2] != 'Z';
}

// A tool that never answers, or answers and leaves a process holding its
// output: after the wait it is killed with what it started, and the answer
// is "no browser".
TEST_F(XdgShellFind, toolThatHangs_isKilledWithItsChildrenAfterTheWait)
{
    const auto pids = tools.path() / "pids";
    for (const std::string& body : {"sleep 600 & echo $$ $! > '" + pids.string() + "'; wait",
                                    "sleep 600 & echo $$ $! > '" + pids.string() + "'; echo firefox.desktop"}) {
        XdgShell shell(script(tools, "xdg-mime", body), "xdg-open", kShortWait);
        const auto start = std::chrono::steady_clock::now();
        EXPECT_EQ(shell.findExecutable("x27z42j.html", program.path()).result, kShellNoAssociation) << body;
        EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(3)) << body;
        std::istringstream written(test::readFile(pids));
        pid_t tool = 0;
        pid_t child = 0;
        ASSERT_TRUE(written >> tool >> child) << body;
        EXPECT_FALSE(alive(tool)) << body;
        // A signal to another process lands a moment later.
        for (int i = 0; i < 100 && alive(child); ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        EXPECT_FALSE(alive(child)) << body;
    }
}

// An opener still running after the wait is the browser in its own process
// on some desktops: taken as started, and left to run.
TEST(XdgShellExecute, openerStillRunningAfterTheWait_isStartedWithTheAddressAsOneArgument)
{
    const test::TempDir tools;
    const auto go = tools.path() / "go";
    const auto seen = tools.path() / "seen";
    ASSERT_EQ(mkfifo(go.c_str(), 0600), 0);
    ASSERT_EQ(mkfifo(seen.c_str(), 0600), 0);
    // The opener first waits for the test: if shellExecute waited for it
    // without bound, this test would never get past the call.
    XdgShell shell("xdg-mime",
                   script(tools, "xdg-open", "read line < '" + go.string() + "'; printf '%s' \"$*|$#\" > '" + seen.string() + "'"),
                   kShortWait);
    const std::string url = "https://example.test/a b;touch x$(id)";
    EXPECT_GT(shell.shellExecute(url), 32);
    std::ofstream(go) << "go\n";
    EXPECT_EQ(test::readFile(seen), url + "|1");
}

struct OpenCase {
    const char* name;
    const char* opener; // the stand-in xdg-open's script; no such opener when null
    const char* url;
    bool launched;
};

void PrintTo(const OpenCase& c, std::ostream* out)
{
    *out << c.name;
}

class XdgShellOpen : public testing::TestWithParam<OpenCase> {};

// xdg-open ends with a non-zero status when it finds nothing to open the
// address with: that is no launch.
TEST_P(XdgShellOpen, launchesOnlyWhenTheOpenerSucceeds)
{
    const OpenCase& c = GetParam();
    const test::TempDir tools;
    XdgShell shell("xdg-mime", c.opener != nullptr ? script(tools, "xdg-open", c.opener)
                                                   : (tools.path() / "no-such-opener").string());
    const int result = shell.shellExecute(c.url);
    EXPECT_EQ(result > 32, c.launched) << result;
    EXPECT_TRUE(c.launched || result <= kShellNoAssociation) << result;
}

INSTANTIATE_TEST_SUITE_P(Openers, XdgShellOpen,
    testing::Values(OpenCase{"succeeds", "exit 0", "https://example.test/", true},
                    OpenCase{"fails", "exit 3", "https://example.test/", false},
                    OpenCase{"failsWithOne", "exit 1", "https://example.test/", false},
                    OpenCase{"killed", "kill -9 $$", "https://example.test/", false},
                    OpenCase{"missing", nullptr, "https://example.test/", false},
                    OpenCase{"emptyAddress", "exit 0", "", false}),
    [](const testing::TestParamInfo<OpenCase>& info) { return std::string(info.param.name); });

} // namespace
} // namespace orvex::platform
