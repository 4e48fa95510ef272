#include "cli/CheckCommand.h"

#include "support/CheckDataSet.h"
#include "CommandRun.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>


namespace orvex::cli {
namespace {

using test::CommandRun;

bool contains(const std::string& text, std::string_view part)
{
    return text.find(part) != std::string::npos;
}

class CheckCommandTest : public ::testing::Test {
protected:
    void useDemoData() { test::copyDemoData(dir); }
    void useCleanData(const std::string& repertory = orvex::test::checkRepertory())
    {
        dir.write("remedy.xml", orvex::test::checkRemedyList());
        dir.write("list.xml", orvex::test::checkStrings());
        dir.write("garepertory.xml", repertory);
    }

    // As `orvex-compare check arguments...`.
    CommandRun run(const std::vector<std::string>& arguments)
    {
        return test::runIn(dir.path(), arguments, runCheckCommand);
    }

    orvex::test::TempDir dir;
};

TEST_F(CheckCommandTest, cleanData_exits0InTextAndJson)
{
    useCleanData();
    const CommandRun text = run({});
    EXPECT_EQ(text.status, kExitOk) << text.out;
    EXPECT_TRUE(contains(text.out, "\nNo findings.\n")) << text.out;
    EXPECT_TRUE(text.err.empty());
    const CommandRun json = run({"--format=json"});
    EXPECT_EQ(json.status, kExitOk);
    EXPECT_EQ(nlohmann::json::parse(json.out)["findings"], 0);
}

TEST_F(CheckCommandTest, demoData_reportsItsOneDeliberateFinding)
{
    useDemoData();
    const CommandRun result = run({});
    EXPECT_EQ(result.status, kExitFindings);
    for (const char* line : {"  garepertory.xml: loads\n", "    1. \"Mind\" searches \"mi\" (strRubricList4)\n",
                             "  mi           2       115       313  Mind\n",
                             "  Rubrics whose line is a remedy's name (the remedy comes first): 1\n    line 312: \"Lyc-m.\"\n",
                             "  \"....\" (no remedy): first entry\n", "\n1 finding.\n"})
        EXPECT_TRUE(contains(result.out, line)) << line << "\nin\n" << result.out;
}

TEST_F(CheckCommandTest, json_hasTheDocumentedShape)
{
    useDemoData();
    const CommandRun result = run({"--format", "json"});
    EXPECT_EQ(result.status, kExitFindings);
    const auto json = nlohmann::json::parse(result.out);
    ASSERT_EQ(json["files"].size(), 3U);
    EXPECT_EQ(json["files"][2]["file"], "garepertory.xml");
    EXPECT_TRUE(json["files"][2]["loaded"].get<bool>());
    EXPECT_EQ(json["textTable"]["chapters"][0], (nlohmann::json{{"name", "Mind"}, {"code", "mi"}, {"key", "strRubricList4"}}));
    ASSERT_EQ(json["repertory"]["chapters"].size(), 5U);
    EXPECT_EQ(json["repertory"]["chapters"][0]["listings"], 313);
    EXPECT_EQ(json["repertory"]["remedyAsLine"]["count"], 1);
    EXPECT_EQ(json["repertory"]["remedyAsLine"]["first"][0], (nlohmann::json{{"line", 312}, {"text", "Lyc-m."}}));
    EXPECT_EQ(json["remedyNames"]["noRemedy"], (nlohmann::json{{"present", true}, {"first", true}}));
    EXPECT_EQ(json["findings"], 1);
}

TEST_F(CheckCommandTest, fileThatFailsToLoad_exits2AndChecksTheRest)
{
    useCleanData("<list>\n<symptom>");
    const CommandRun result = run({});
    EXPECT_EQ(result.status, kExitLoadFailed);
    EXPECT_TRUE(contains(result.err, "Load Failed: garepertory.xml: it is not well-formed XML")) << result.err;
    EXPECT_TRUE(contains(result.err, "line 2, column")) << result.err;
    EXPECT_TRUE(contains(result.out, "not checked: garepertory.xml does not load"));
    EXPECT_TRUE(contains(result.out, "Missing keys: none")) << "the other files are still checked";

    std::filesystem::remove(dir.path() / "remedy.xml");
    const auto json = nlohmann::json::parse(run({"--format", "json"}).out);
    EXPECT_FALSE(json["files"][0]["loaded"].get<bool>());
    EXPECT_TRUE(json["repertory"].is_null());
    EXPECT_TRUE(json["remedyNames"]["neverListed"].is_null());
    EXPECT_EQ(json["findings"], 2);
}

// Names come from the data: they must not be able to move the cursor or
// fake a line of the report, and surrounding spaces must show.
TEST_F(CheckCommandTest, namesAreQuotedWithControlCharactersEscaped)
{
    useCleanData(orvex::test::checkRepertory(orvex::test::checkChapter("m", "<rubric>R<remedy> a\"b\\\t&#13;\x7F\xC2\x9B[2J\nc</remedy></rubric>")));
    const CommandRun result = run({});
    EXPECT_EQ(result.status, kExitFindings);
    EXPECT_TRUE(contains(result.out, R"(    " a\"b\\\x09\x0D\x7F\u009B[2J\x0Ac": 1 listing)" "\n")) << result.out;
    EXPECT_FALSE(contains(result.out, "\x9B"));
}

TEST_F(CheckCommandTest, manyFindings_textShowsTenAndCounts)
{
    std::string rubrics;
    for (int i = 0; i < 12; ++i)
        rubrics += "<rubric><t/><remedy>Bell.</remedy></rubric>";
    useCleanData(orvex::test::checkRepertory(orvex::test::checkChapter("s", rubrics)));
    const CommandRun result = run({});
    EXPECT_TRUE(contains(result.out, "  Rubrics with an empty line: 12\n")) << result.out;
    EXPECT_TRUE(contains(result.out, "    ... and 2 more\n")) << result.out;
    EXPECT_EQ(nlohmann::json::parse(run({"--format", "json"}).out)["repertory"]["emptyLine"]["first"].size(), 12U);
}

} // namespace
} // namespace orvex::cli
