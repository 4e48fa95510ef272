#include "cli/CompareCommand.h"
#include "cli/JsonText.h"

#include "cli/CheckCommand.h"
#include "core/data/Chapters.h"
#include "core/repertory/ComparisonSearch.h"
#include "core/data/RemedyList.h"
#include "core/repertory/ReportLines.h"
#include "core/data/StringTable.h"
#include "core/xml/CurrentDocument.h"

#include <nlohmann/json.hpp>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <optional>
#include <ostream>
#include <variant>

#include <unistd.h>

namespace orvex::cli {
namespace {

constexpr const char* kUsage = R"(Usage: orvex-compare [OPTIONS] [REMEDY1 [REMEDY2 [REMEDY3]]]
       orvex-compare check [--format FORMAT]   (checks the data files: check --help)

Compares up to three remedies in one chapter of the repertory, as the Orvex
program does, reading remedy.xml, list.xml and garepertory.xml from the
current directory. A remedy left out, or given as "....", is no remedy.

Options:
  --chapter TEXT      chapter name as the chapter picker lists it
                      (default: the first chapter)
  --mode MODE         "different" (default) or "similar"
  --format FORMAT     "text" (default) or "json"
  --report            print the report lines instead of the lists
  --date TEXT         the date shown in the report (default: today, long form)
  --list-chapters     print the five chapter names in picker order
  --list-remedies     print the remedy picker entries
  --help              show this help

Text output escapes what a terminal would act on: a backslash is written as
\\, a control character as \xHH (C0 and DEL: a line feed is \x0A) or \u00HH
(C1, U+0080 to U+009F). JSON output escapes them as JSON does.

JSON output of a search:
  {"chapter": TEXT, "code": CODE, "mode": "similar"|"different",
   "captions": [3 texts], "lists": [[...], [...], [...]],
   "matchCount": N, "printOffered": true|false}
With --report: [{"text": TEXT, "size": N, "bold": B, "italic": B}, ...]

Exit status: 0 on success (an empty result too), 2 when a data file could not
be loaded ("Load Failed" on stderr; the empty result is still printed),
64 on bad usage, 74 when the output could not be written (closed output,
full disk, broken pipe; a message on stderr).
)";

struct Options {
    std::optional<std::string> chapter;
    CompareMode mode = CompareMode::Different;
    bool json = false;
    bool report = false;
    std::optional<std::string> date;
    bool listChapters = false;
    bool listRemedies = false;
    bool help = false;
    std::vector<std::string> remedies;
};

struct UsageError {
    std::string message;
};

// Accepts "--name value" and "--name=value"; "--" ends the options.
std::variant<Options, UsageError> parse(const std::vector<std::string>& arguments)
{
    Options options;
    bool optionsEnded = false;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        std::string argument = arguments[i];
        if (optionsEnded || argument.size() < 2 || argument.compare(0, 2, "--") != 0) {
            options.remedies.push_back(argument);
            continue;
        }
        if (argument == "--") {
            optionsEnded = true;
            continue;
        }
        std::optional<std::string> inlineValue;
        if (const auto equals = argument.find('='); equals != std::string::npos) {
            inlineValue = argument.substr(equals + 1);
            argument.resize(equals);
        }
        const auto value = [&]() -> std::optional<std::string> {
            if (inlineValue)
                return inlineValue;
            if (i + 1 < arguments.size())
                return arguments[++i];
            return std::nullopt;
        };
        const bool takesValue = argument == "--chapter" || argument == "--mode" || argument == "--format"
            || argument == "--date";
        if (!takesValue && inlineValue)
            return UsageError{argument + " takes no value"};
        if (takesValue) {
            const auto given = value();
            if (!given)
                return UsageError{argument + " needs a value"};
            if (argument == "--chapter") {
                options.chapter = *given;
            } else if (argument == "--date") {
                options.date = *given;
            } else if (argument == "--mode") {
                if (*given != "similar" && *given != "different")
                    return UsageError{"--mode must be \"similar\" or \"different\", not \"" + *given + "\""};
                options.mode = *given == "similar" ? CompareMode::Similar : CompareMode::Different;
            } else {
                if (*given != "text" && *given != "json")
                    return UsageError{"--format must be \"text\" or \"json\", not \"" + *given + "\""};
                options.json = *given == "json";
            }
        } else if (argument == "--report") {
            options.report = true;
        } else if (argument == "--list-chapters") {
            options.listChapters = true;
        } else if (argument == "--list-remedies") {
            options.listRemedies = true;
        } else if (argument == "--help") {
            options.help = true;
        } else {
            return UsageError{"unknown option " + argument};
        }
    }
    if (options.remedies.size() > kRemedyPositions)
        return UsageError{"at most three remedies can be compared"};
    if (options.listChapters && options.listRemedies)
        return UsageError{"--list-chapters and --list-remedies cannot be combined"};
    return options;
}

class StreamMessages final : public MessageSink {
public:
    explicit StreamMessages(std::ostream& err) : err_(err) {}
    void loadFailed(const std::string& fileName, const std::string& reason) override
    {
        err_ << "Load Failed: " << fileName << ": " << reason << '\n';
        failed_ = true;
    }
    bool failed() const { return failed_; }

private:
    std::ostream& err_;
    bool failed_ = false;
};

void printList(const std::vector<std::string>& entries, bool json, std::ostream& out)
{
    if (json) {
        out << jsonText(entries) << '\n';
        return;
    }
    for (const std::string& entry : entries)
        out << escapedForText(entry) << '\n';
}

const char* modeName(CompareMode mode)
{
    return mode == CompareMode::Similar ? "similar" : "different";
}

void printResult(const SearchResult& result, CompareMode mode, bool json, std::ostream& out)
{
    if (json) {
        nlohmann::json lists = nlohmann::json::array();
        for (const auto& list : result.lists) {
            nlohmann::json texts = nlohmann::json::array();
            for (const LineId line : list)
                texts.push_back(result.lines->text(line));
            lists.push_back(std::move(texts));
        }
        const nlohmann::json object = {
            {"chapter", result.chapterCaption}, {"code", result.chapterCode}, {"mode", modeName(mode)},
            {"captions", result.captions}, {"lists", lists}, {"matchCount", result.matchCount},
            {"printOffered", result.printOffered},
        };
        out << jsonText(object) << '\n';
        return;
    }
    out << "Chapter: " << escapedForText(result.chapterCaption);
    if (!result.chapterCode.empty())
        out << " (" << result.chapterCode << ')';
    out << "\nMode: " << modeName(mode) << " symptoms\n";
    for (std::size_t k = 0; k < kRemedyPositions; ++k) {
        if (result.captions[k].empty())
            continue;
        out << '\n' << escapedForText(result.captions[k]) << " (" << result.lists[k].size() << ")\n";
        for (const LineId line : result.lists[k])
            out << "  " << escapedForText(result.lines->text(line)) << '\n';
    }
}

void printReport(const std::vector<ReportLine>& lines, bool json, std::ostream& out)
{
    if (!json) {
        for (const ReportLine& line : lines)
            out << escapedForText(line.text) << '\n';
        return;
    }
    nlohmann::json array = nlohmann::json::array();
    for (const ReportLine& line : lines)
        array.push_back({{"text", line.text}, {"size", line.size}, {"bold", line.bold}, {"italic", line.italic}});
    out << jsonText(array) << '\n';
}

// Whether everything reached its destination; says why on `err` if not.
bool outputWritten(std::ostream& out, std::ostream& err)
{
    out.flush();
    if (out)
        return true;
    const auto* descriptor = dynamic_cast<const DescriptorOutput*>(out.rdbuf());
    const int reason = descriptor != nullptr ? descriptor->error() : 0;
    err << "orvex-compare: the output could not be written";
    if (reason != 0)
        err << ": " << std::strerror(reason);
    err << '\n';
    return false;
}

int run(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err,
        const std::function<std::string()>& today)
{
    if (!arguments.empty() && arguments[0] == "check")
        return runCheckCommand({arguments.begin() + 1, arguments.end()}, out, err);
    const auto parsed = parse(arguments);
    if (const auto* error = std::get_if<UsageError>(&parsed)) {
        err << "orvex-compare: " << error->message << "\n\n" << kUsage;
        return kExitUsage;
    }
    const Options& options = std::get<Options>(parsed);
    if (options.help) {
        out << kUsage;
        return kExitOk;
    }

    StreamMessages messages(err);
    CurrentDocument document;
    if (options.listRemedies) {
        LoadXmlDocument(document, kRemedyListFileName, messages);
        printList(remedyPickerEntries(document).toStrings(), options.json, out);
        return messages.failed() ? kExitLoadFailed : kExitOk;
    }

    LoadXmlDocument(document, kStringsFileName, messages);
    const StringTable texts = LoadTextTable(document);
    const ChapterPickerEntries chapters = chapterPickerEntries(texts);
    if (options.listChapters) {
        printList({chapters.begin(), chapters.end()}, options.json, out);
        return messages.failed() ? kExitLoadFailed : kExitOk;
    }

    SearchRequest request;
    request.chapterText = options.chapter.value_or(chapters[0]);
    request.chapterEntries = chapters;
    request.mode = options.mode;
    for (std::size_t k = 0; k < kRemedyPositions; ++k)
        request.remedyTexts[k] = k < options.remedies.size() ? options.remedies[k] : std::string(kNoRemedy);

    ComparisonSearch search;
    const SearchResult result = search.run(request, document, messages);
    if (options.report) {
        const ReportInput input = reportInput(texts, request.chapterText, options.mode,
                                              options.date ? *options.date : today(), result.captions,
                                              result.textLists());
        printReport(buildReportLines(input), options.json, out);
    } else {
        printResult(result, options.mode, options.json, out);
    }
    return messages.failed() ? kExitLoadFailed : kExitOk;
}

} // namespace

bool DescriptorOutput::drain()
{
    const char* next = pbase();
    while (error_ == 0 && next < pptr()) {
        const ssize_t written = ::write(fd_, next, static_cast<std::size_t>(pptr() - next));
        if (written >= 0)
            next += written;
        else if (errno != EINTR)
            error_ = errno;
    }
    setp(buffer_.data(), buffer_.data() + buffer_.size());
    return error_ == 0;
}

DescriptorOutput::int_type DescriptorOutput::overflow(int_type c)
{
    if (!drain())
        return traits_type::eof();
    if (!traits_type::eq_int_type(c, traits_type::eof()))
        sputc(traits_type::to_char_type(c));
    return traits_type::not_eof(c);
}

int DescriptorOutput::sync()
{
    return drain() ? 0 : -1;
}

std::string escapedForText(std::string_view text, char quote)
{
    std::string escaped;
    escaped.reserve(text.size());
    char code[8];
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        const auto byte = static_cast<unsigned char>(c);
        if (c == '\\' || (quote != '\0' && c == quote)) {
            escaped += '\\';
            escaped += c;
        } else if (byte < 0x20 || byte == 0x7F) {
            std::snprintf(code, sizeof code, "\\x%02X", byte);
            escaped += code;
        } else if (byte == 0xC2 && i + 1 < text.size() && static_cast<unsigned char>(text[i + 1]) >= 0x80
                   && static_cast<unsigned char>(text[i + 1]) <= 0x9F) {
            // U+0080 to U+009F: CSI (U+009B) alone starts a sequence in many terminals.
            std::snprintf(code, sizeof code, "\\u00%02X", static_cast<unsigned char>(text[++i]));
            escaped += code;
        } else {
            escaped += c;
        }
    }
    return escaped;
}

int runCompareCommand(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err,
                      const std::function<std::string()>& today)
{
    const int status = run(arguments, out, err, today);
    // A script must not go on with a file that was cut short or never written.
    return outputWritten(out, err) ? status : kExitOutputFailed;
}

} // namespace orvex::cli
