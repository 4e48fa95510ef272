#include "cli/CompareCommand.h"

#include "CommandRun.h"

#ifndef _WIN32
#include "support/ForkedChild.h"
#endif

#include <gtest/gtest.h>

#include <algorithm>
#include <nlohmann/json.hpp>

#include <csignal>
#include <fcntl.h>
#include <sstream>
#include <streambuf>

namespace orvex::cli {
namespace {

using test::CommandRun;

class CompareCommandTest : public ::testing::Test {
protected:
    CompareCommandTest() { test::copyDemoData(dir); }

    CommandRun run(const std::vector<std::string>& arguments) { return test::runIn(dir.path(), arguments); }

    // The command with `out` as its output; stderr is kept in lastErr.
    int runWith(const std::vector<std::string>& arguments, std::ostream& out)
    {
        const orvex::test::CurrentDirectory here(dir.path());
        std::ostringstream err;
        const int status = runCompareCommand(arguments, out, err, [] { return std::string("Sunday, 6 December 2026"); });
        lastErr = err.str();
        return status;
    }

    std::string lastErr;
    orvex::test::TempDir dir;
};

// Both commands read their arguments one way.
TEST_F(CompareCommandTest, badUsage_exits64WithUsageOnStderrAndHelpExits0)
{
    struct Case {
        bool check;
        std::vector<std::string> arguments;
        const char* message; // "": help, on stdout
    };
    const std::vector<Case> cases = {
        {false, {"--mode", "same"}, "--mode must be \"similar\" or \"different\", not \"same\""},
        {false, {"--format", "xml"}, "--format must be \"text\" or \"json\", not \"xml\""},
        {false, {"--bogus"}, "unknown option --bogus"},
        {false, {"a", "b", "c", "d"}, "at most three remedies can be compared"},
        {false, {"--chapter"}, "--chapter needs a value"},
        {false, {"--report=yes"}, "--report takes no value"},
        {false, {"--list-chapters", "--list-remedies"}, "cannot be combined"},
        {true, {"--format=xml"}, "check: --format must be \"text\" or \"json\", not \"xml\""},
        {true, {"--format"}, "check: --format needs a value"},
        {true, {"--bogus"}, "check: unknown option --bogus"},
        {true, {"Bell."}, "check: unknown argument Bell."},
        {false, {"--help"}, ""},
        {true, {"--help"}, ""},
    };
    for (const auto& [check, arguments, message] : cases) {
        const CommandRun result = test::runIn(dir.path(), arguments, check ? runCheckCommand : test::compare);
        const std::string usage = check ? "Usage: orvex-compare check" : "Usage: orvex-compare [OPTIONS]";
        const std::string& shown = *message == '\0' ? result.out : result.err;
        EXPECT_EQ(result.status, *message == '\0' ? kExitOk : kExitUsage) << arguments[0];
        EXPECT_NE(shown.find(usage), std::string::npos) << shown;
        EXPECT_NE(result.err.find(message), std::string::npos) << result.err;
        EXPECT_TRUE((*message == '\0' ? result.err : result.out).empty()) << arguments[0];
    }
    EXPECT_NE(run({"--help"}).out.find("orvex-compare check"), std::string::npos) << "the search's help names the check";
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

// Accepts `room` bytes, then fails every write as a full disk does.
class FullDevice final : public std::streambuf {
public:
    explicit FullDevice(std::size_t room) : room_(room) {}

protected:
    int_type overflow(int_type c) override
    {
        if (room_ == 0)
            return traits_type::eof();
        --room_;
        return traits_type::not_eof(c);
    }

private:
    std::size_t room_;
};

TEST_F(CompareCommandTest, outputThatCannotBeWritten_exits74WithMessage)
{
    // At once, half-way, and short of the last byte; a load failure comes
    // second to a lost output.
    for (const auto& arguments : std::vector<std::vector<std::string>>{{"Bell.", "Nux-v."}, {"--help"}}) {
        const std::size_t size = run(arguments).out.size();
        for (const std::size_t room : {std::size_t{0}, size / 2, size - 1}) {
            FullDevice device(room);
            std::ostream out(&device);
            EXPECT_EQ(runWith(arguments, out), kExitOutputFailed) << room << ' ' << arguments[0];
            EXPECT_NE(lastErr.find("the output could not be written"), std::string::npos) << lastErr;
        }
    }
    std::filesystem::remove(dir.path() / "garepertory.xml");
    FullDevice device(0);
    std::ostream out(&device);
    EXPECT_EQ(runWith({"Bell."}, out), kExitOutputFailed);
}

TEST(EscapedForText, controlCharactersCannotReachTheTerminal)
{
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"Bell.", "Bell."},
        {"\x1b]0;owned\x07\x1b[2J", "\\x1B]0;owned\\x07\\x1B[2J"},
        {"line\nForged: line\r", "line\\x0AForged: line\\x0D"},
        {"a\tb", "a\\x09b"},
        {std::string("nul\0end", 7), "nul\\x00end"},
        {"del\x7f", "del\\x7F"},
        {"back\\slash \"quoted\"", "back\\\\slash \"quoted\""},
        {"csi\xC2\x9b" "2J", "csi\\u009B2J"},
        {"nel\xC2\x85", "nel\\u0085"},
        {"\xC2\xA0nbsp \xC3\x84rz. \xE2\x80\xA6", "\xC2\xA0nbsp \xC3\x84rz. \xE2\x80\xA6"},
        {"cut\xC2", "cut\xC2"},
    };
    for (const auto& [text, escaped] : cases)
        EXPECT_EQ(escapedForText(text), escaped) << escaped;
    EXPECT_EQ(escapedForText("say \"x\"\n", '"'), "say \\\"x\\\"\\x0A");
}

// XML 1.0 lets line breaks, DEL and the C1 controls through (CSI, U+009B,
// starts a sequence as ESC [ does); names given as arguments may hold anything.
TEST_F(CompareCommandTest, controlCharactersInDataFiles_areEscapedInTextOnly)
{
    dir.write("remedy.xml", "<list><remedy>Evil&#x9B;2J</remedy><remedy>Bell.</remedy></list>");
    dir.write("garepertory.xml", "<list><symptom><category name='mi'>"
                                 "<rubric>Forged&#13;&#10;Chapter: x&#x9B;31m&#x7F;<remedy>Evil&#x9B;2J</remedy></rubric>"
                                 "</category></symptom></list>");
    const std::string evil = "Evil\xC2\x9B" "2J";
    for (const auto& arguments : std::vector<std::vector<std::string>>{
             {"--list-remedies"}, {evil, "\x1b[2J"}, {"--report", "--date", "\x1b[31m", evil}}) {
        const CommandRun result = run(arguments);
        for (const std::string forbidden : {"\x1b", "\xC2\x9B", "\x7F", "\r", "\nChapter: x"})
            EXPECT_EQ(result.out.find(forbidden), std::string::npos) << result.out;
    }
    const CommandRun search = run({evil});
    EXPECT_NE(search.out.find("\nEvil\\u009B2J (1)\n  Forged\\x0D\\x0AChapter: x\\u009B31m\\x7F\n"), std::string::npos)
        << search.out;
    const auto json = nlohmann::json::parse(run({"--format", "json", evil}).out);
    EXPECT_EQ(json["lists"][0][0], "Forged\r\nChapter: x\xC2\x9B" "31m\x7F");
}

#ifndef _WIN32
// The real program, its standard output closed, full, or a pipe nobody reads.
// POSIX only: a forked child replaces its output and runs the program.
TEST(CompareExecutable, unwritableStandardOutput_exits74)
{
    enum class Output { Closed, FullDisk, BrokenPipe };
    for (const Output output : {Output::Closed, Output::FullDisk, Output::BrokenPipe}) {
        int ends[2];
        ASSERT_EQ(::pipe(ends), 0);
        const int status = orvex::test::runInChild([&] {
            ::close(ends[0]);
            if (output == Output::Closed) {
                ::close(STDOUT_FILENO);
            } else if (output == Output::FullDisk) {
                const int full = ::open("/dev/full", O_WRONLY);
                if (full < 0)
                    return 90;
                ::dup2(full, STDOUT_FILENO);
            } else {
                int unread[2];
                if (::pipe(unread) != 0)
                    return 91;
                ::close(unread[0]);
                ::dup2(unread[1], STDOUT_FILENO);
                std::signal(SIGPIPE, SIG_IGN);
            }
            ::dup2(ends[1], STDERR_FILENO);
            if (::chdir(ORVEX_DEMO_DATA_DIR) != 0)
                return 92;
            ::execl(ORVEX_COMPARE_EXECUTABLE, "orvex-compare", "--list-chapters", static_cast<char*>(nullptr));
            return 93;
        });
        ::close(ends[1]);
        std::string err;
        char buffer[256];
        for (ssize_t got = 0; (got = ::read(ends[0], buffer, sizeof buffer)) > 0;)
            err.append(buffer, static_cast<std::size_t>(got));
        ::close(ends[0]);
        ASSERT_TRUE(WIFEXITED(status)) << static_cast<int>(output);
        EXPECT_EQ(WEXITSTATUS(status), kExitOutputFailed) << static_cast<int>(output) << err;
        EXPECT_NE(err.find("orvex-compare: the output could not be written: "), std::string::npos) << err;
    }
}
#endif

} // namespace
} // namespace orvex::cli
