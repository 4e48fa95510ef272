#include "cli/CompareCommand.h"

#include "cli/CommandLine.h"
#include "cli/Output.h"
#include "core/data/Chapters.h"
#include "core/repertory/ComparisonSearch.h"
#include "core/data/RemedyList.h"
#include "core/repertory/ReportLines.h"
#include "core/data/StringTable.h"
#include "core/xml/CurrentDocument.h"

#include <optional>
#include <ostream>
#include <variant>

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

std::variant<Options, UsageError> parse(const std::vector<std::string>& arguments)
{
    const auto parsed = parseArguments(arguments, {"--chapter", "--mode", "--format", "--date"},
                                       {"--report", "--list-chapters", "--list-remedies", "--help"});
    if (const auto* error = std::get_if<UsageError>(&parsed))
        return *error;
    Options options;
    for (const auto& [name, value] : std::get<Arguments>(parsed).options) {
        if (name == "--chapter") {
            options.chapter = *value;
        } else if (name == "--date") {
            options.date = *value;
        } else if (name == "--mode") {
            if (*value != "similar" && *value != "different")
                return UsageError{"--mode must be \"similar\" or \"different\", not \"" + *value + "\""};
            options.mode = *value == "similar" ? CompareMode::Similar : CompareMode::Different;
        } else if (name == "--format") {
            const auto json = jsonFormat(*value);
            if (const auto* error = std::get_if<UsageError>(&json))
                return *error;
            options.json = std::get<bool>(json);
        } else {
            (name == "--report" ? options.report
                : name == "--list-chapters" ? options.listChapters
                : name == "--list-remedies" ? options.listRemedies
                                            : options.help) = true;
        }
    }
    options.remedies = std::get<Arguments>(parsed).operands;
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
        JsonWriter(out).values(entries);
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
        JsonWriter writer(out);
        writer.beginObject();
        writer.key("captions").beginArray();
        for (const std::string& caption : result.captions)
            writer.value(caption);
        writer.endArray();
        writer.key("chapter").value(result.chapterCaption);
        writer.key("code").value(result.chapterCode);
        writer.key("lists").beginArray();
        for (const auto& list : result.lists) {
            writer.beginArray();
            for (const LineId line : list)
                writer.value(result.lines->text(line));
            writer.endArray();
        }
        writer.endArray();
        writer.key("matchCount").value(result.matchCount);
        writer.key("mode").value(modeName(mode));
        writer.key("printOffered").value(result.printOffered);
        writer.endObject();
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
    JsonWriter writer(out);
    writer.beginArray();
    for (const ReportLine& line : lines) {
        writer.beginObject();
        writer.key("bold").value(line.bold);
        writer.key("italic").value(line.italic);
        writer.key("size").value(line.size);
        writer.key("text").value(line.text);
        writer.endObject();
    }
    writer.endArray();
}

int run(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err,
        const std::function<std::string()>& today)
{
    const auto parsed = parse(arguments);
    if (const auto* error = std::get_if<UsageError>(&parsed))
        return usageError(err, "", error->message, kUsage);
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

int runCompareCommand(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err,
                      const std::function<std::string()>& today)
{
    return finishOutput(run(arguments, out, err, today), out, err);
}

} // namespace orvex::cli
