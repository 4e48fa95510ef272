#include "core/help/AboutCommand.h"

#include "support/FakeShell.h"
#include "support/RecordingAboutMessages.h"
#include "support/ProbeFilesDouble.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <ostream>
#include <string>
#include <system_error>
#include <vector>

// The About command's decisions, over a file system in memory. The same
// command over the real files is tested with the platform layer.
namespace orvex {
namespace {

namespace fs = std::filesystem;
using test::FakeShell;

using RecordedMessages = test::RecordingAboutMessages;

struct BandCase {
    const char* name;
    int findResult;
    int executeResult;
    std::vector<std::string> messages;
    bool browserStarted;
};

void PrintTo(const BandCase& c, std::ostream* out)
{
    *out << c.name;
}

class AboutResultBand : public testing::TestWithParam<BandCase> {};

TEST_P(AboutResultBand, showsItsMessageAndLeavesNoProbe)
{
    const BandCase& band = GetParam();
    test::ProbeFilesDouble files;
    FakeShell shell;
    shell.findResult = band.findResult;
    shell.executeResult = band.executeResult;
    RecordedMessages messages;
    std::vector<std::string> order;
    AboutCommand(shell, messages, files, "/opt/orvex", [&] { order.push_back("events:" + std::to_string(shell.calls.size())); })
        .run();

    EXPECT_EQ(messages.shown, band.messages);
    EXPECT_TRUE(files.existing.empty());
    std::vector<std::string> calls{"find x27z42j.html in " + fs::path("/opt/orvex").string()};
    if (band.browserStarted)
        calls.push_back(std::string("open ") + kMakerWebAddress);
    EXPECT_EQ(shell.calls, calls);
    // Pending events are let through after the lookup, before the browser starts.
    EXPECT_EQ(order, band.browserStarted ? std::vector<std::string>{"events:1"} : std::vector<std::string>{});
}

INSTANTIATE_TEST_SUITE_P(Bands, AboutResultBand,
    testing::Values(
        BandCase{"zero_outOfMemory", 0, 42, {kOutOfMemoryText}, false},
        BandCase{"one_errorNumber", 1, 42, {"Error Number: 1"}, false},
        BandCase{"thirty_errorNumber", 30, 42, {"Error Number: 30"}, false},
        BandCase{"thirtyOne_noBrowser", 31, 42, {kNoBrowserText}, false},
        BandCase{"negative_isFailureNotSuccess", -5, 42, {"Error Number: -5"}, false},
        BandCase{"thirtyTwo_launches", 32, 33, {}, true},
        BandCase{"large_launches", 1 << 20, 42, {}, true},
        BandCase{"launchReturnsThirtyOne_failed", 42, 31, {kLaunchFailedText}, true},
        BandCase{"launchReturnsZero_failed", 42, 0, {kLaunchFailedText}, true},
        BandCase{"launchReturnsThirtyTwo_succeeded", 42, 32, {}, true}),
    [](const testing::TestParamInfo<BandCase>& info) { return std::string(info.param.name); });

// An installed program lives in a folder its user may not write: the probe
// goes into a private folder of the command's own, which goes again after.
TEST(AboutCommand, programFolderThatRefusesFiles_probesInAPrivateFolderRemovedAfterwards)
{
    for (const int refusal : {EACCES, EPERM, EROFS}) {
        test::ProbeFilesDouble files;
        files.refuseProgramFolder = refusal;
        FakeShell shell;
        RecordedMessages messages;
        AboutCommand(shell, messages, files, "/opt/orvex").run();
        const std::string probe = (test::ProbeFilesDouble::kPrivate / kProbeFileName).string();
        EXPECT_EQ(files.calls, (std::vector<std::string>{"create " + (fs::path("/opt/orvex") / kProbeFileName).string(), "makePrivateFolder",
                                                         "create " + probe, "remove " + probe,
                                                         "removePrivateFolder /private-0700"}));
        EXPECT_EQ(shell.calls.front(), "find x27z42j.html in /private-0700");
        EXPECT_TRUE(messages.shown.empty());
    }
}

struct RefusalCase {
    const char* name;
    int programFolder;
    int privateFolder;
    bool triesPrivateFolder;
    int shown;
};

void PrintTo(const RefusalCase& c, std::ostream* out)
{
    *out << c.name;
}

class Refusals : public testing::TestWithParam<RefusalCase> {};

// What the user is told is the program folder's refusal, never the private
// folder's; a missing or wrong folder is no reason to look elsewhere.
TEST_P(Refusals, reportTheProgramFoldersReasonAndStartNothing)
{
    const RefusalCase& c = GetParam();
    test::ProbeFilesDouble files;
    files.refuseProgramFolder = c.programFolder;
    files.refusePrivateFolder = c.privateFolder;
    FakeShell shell;
    RecordedMessages messages;
    AboutCommand(shell, messages, files, "/opt/orvex").run();
    EXPECT_TRUE(shell.calls.empty());
    EXPECT_EQ(messages.shown,
              std::vector<std::string>{AboutCommand::runtimeErrorText(c.shown, std::generic_category().message(c.shown))});
    EXPECT_EQ(std::count(files.calls.begin(), files.calls.end(), "makePrivateFolder"), c.triesPrivateFolder ? 1 : 0);
    EXPECT_EQ(std::count_if(files.calls.begin(), files.calls.end(),
                            [](const std::string& call) { return call.rfind("removePrivateFolder", 0) == 0; }),
              0);
}

INSTANTIATE_TEST_SUITE_P(AboutCommand, Refusals,
    testing::Values(RefusalCase{"privateFolderUnavailable", EACCES, ENOSPC, true, EACCES},
                    RefusalCase{"programFolderMissing", ENOENT, 0, false, ENOENT},
                    RefusalCase{"programFolderIsAFile", ENOTDIR, 0, false, ENOTDIR}),
    [](const testing::TestParamInfo<RefusalCase>& info) { return std::string(info.param.name); });

TEST(AboutCommand, errorInsideShell_removesProbeAndPrivateFolderAndShowsTheError)
{
    for (const int refusal : {0, EACCES}) {
        test::ProbeFilesDouble files;
        files.refuseProgramFolder = refusal;
        FakeShell shell;
        shell.throwOnFind = true;
        RecordedMessages messages;
        AboutCommand(shell, messages, files, "/opt/orvex").run();
        EXPECT_EQ(files.calls.back(), refusal == 0 ? "remove " + (fs::path("/opt/orvex") / kProbeFileName).string()
                                                   : "removePrivateFolder /private-0700");
        EXPECT_TRUE(files.existing.empty());
        EXPECT_EQ(messages.shown,
                  std::vector<std::string>{AboutCommand::runtimeErrorText(ENOMEM, std::generic_category().message(ENOMEM))});
    }
}

TEST(AboutCommand, unknownProgramDirectory_writesNoProbeAnywhere)
{
    FakeShell shell;
    RecordedMessages messages;
    test::ProbeFilesDouble files;
    AboutCommand(shell, messages, files, {}).run();
    EXPECT_TRUE(files.calls.empty());
    EXPECT_TRUE(shell.calls.empty());
    ASSERT_EQ(messages.shown.size(), 1U);
    EXPECT_EQ(messages.shown[0].rfind("An error has occured.\r\nError Number: ", 0), 0U);
}

TEST(AboutCommand, runtimeErrorText_isWordedAsShown)
{
    EXPECT_EQ(AboutCommand::runtimeErrorText(13, "Permission denied"),
              "An error has occured.\r\nError Number: 13\r\nError description: Permission denied");
}

} // namespace
} // namespace orvex
