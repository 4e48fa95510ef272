#include "CompareCommand.h"

#include "CommandRun.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <nlohmann/json.hpp>

#include <sstream>

namespace orvex::cli {
namespace {

using test::CommandRun;

class CompareCommandTest : public ::testing::Test {
protected:
    CompareCommandTest() { test::copyDemoData(dir); }

    CommandRun run(const std::vector<std::string>& arguments) { return test::runIn(dir.path(), arguments); }

    orvex::test::TempDir dir;
};

TEST_F(CompareCommandTest, badUsage_exits64WithUsageOnStderr)
{
    const std::vector<std::vector<std::string>> cases = {
        {"--mode", "same"}, {"--format", "xml"}, {"--bogus"}, {"a", "b", "c", "d"}, {"--chapter"}, {"--report=yes"},
    };
    for (const auto& arguments : cases) {
        const CommandRun result = run(arguments);
        EXPECT_EQ(result.status, kExitUsage) << arguments[0];
        EXPECT_NE(result.err.find("Usage:"), std::string::npos);
        EXPECT_TRUE(result.out.empty());
    }
}

TEST_F(CompareCommandTest, jsonSearch_hasTheDocumentedShape)
{
    const CommandRun result = run({"--format", "json", "--mode", "similar", "Bell.", "Nux-v."});
    ASSERT_EQ(result.status, kExitOk) << result.err;
    const auto json = nlohmann::json::parse(result.out);
    EXPECT_EQ(json["chapter"], "Mind");
    EXPECT_EQ(json["code"], "mi");
    EXPECT_EQ(json["mode"], "similar");
    EXPECT_EQ(json["captions"], (nlohmann::json{"Bell.", "Nux-v.", ""}));
    ASSERT_EQ(json["lists"].size(), 3U);
    EXPECT_EQ(json["lists"][0], json["lists"][1]);
    EXPECT_TRUE(json["lists"][2].empty());
    EXPECT_GT(json["matchCount"].get<int>(), 0);
    EXPECT_TRUE(json["printOffered"].get<bool>());
}

TEST_F(CompareCommandTest, quotesAndNonAsciiNames_areSearchedExactly)
{
    for (const char* name : {"Sulph. d'Arc", "\xC3\x84rz."}) {
        const CommandRun result = run({"--format", "json", name});
        ASSERT_EQ(result.status, kExitOk) << result.err;
        const auto json = nlohmann::json::parse(result.out);
        EXPECT_EQ(json["captions"][0], name);
    }
}

TEST_F(CompareCommandTest, missingRepertory_exits2AndStillPrintsTheResult)
{
    std::filesystem::remove(dir.path() / "garepertory.xml");
    const CommandRun result = run({"--format", "json", "Bell."});
    EXPECT_EQ(result.status, kExitLoadFailed);
    EXPECT_EQ(result.err.rfind("Load Failed", 0), 0U) << result.err;
    const auto json = nlohmann::json::parse(result.out);
    EXPECT_EQ(json["captions"][0], "Bell.");
    EXPECT_FALSE(json["printOffered"].get<bool>());
}

TEST_F(CompareCommandTest, listsAndReport)
{
    const CommandRun chapters = run({"--list-chapters"});
    EXPECT_EQ(chapters.out, "Mind\nMouth\nEyes\nPerspiration\nSkin\n");
    const CommandRun remedies = run({"--list-remedies"});
    // Every name of data/remedy.xml in document order, nested groups
    // included and the entity expanded.
    const std::string names = remedies.out;
    EXPECT_EQ(names.rfind("....\nBell.\nNux-v.\nPuls.\nAcon-l.\n", 0), 0U) << names;
    EXPECT_NE(names.find("\nMag-r.\nZinc-o.\nMag. & Ferr.\nCist.\n"), std::string::npos) << names;
    EXPECT_EQ(std::count(names.begin(), names.end(), '\n'), 41);

    const CommandRun report = run({"--report", "--format", "json", "--date", "6 Dec", "Bell."});
    ASSERT_EQ(report.status, kExitOk);
    const auto lines = nlohmann::json::parse(report.out);
    EXPECT_EQ(lines[0]["text"], "Chapter: Mind" + std::string(32, ' ') + "6 Dec");
    EXPECT_EQ(lines[4]["text"], "Bell.");
    EXPECT_TRUE(lines[4]["italic"].get<bool>());
}

} // namespace
} // namespace orvex::cli
