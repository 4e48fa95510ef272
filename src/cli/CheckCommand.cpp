#include "cli/CheckCommand.h"

#include "cli/CompareCommand.h"
#include "cli/JsonText.h"
#include "core/repertory/ComparisonSearch.h"
#include "core/data/DataCheck.h"
#include "core/data/RemedyList.h"
#include "core/data/StringTable.h"

#include <nlohmann/json.hpp>

#include <cstdio>
#include <ostream>

namespace orvex::cli {
namespace {

constexpr const char* kUsage = R"(Usage: orvex-compare check [--format FORMAT]

Checks the data files in the current directory with the program's own loader
and rules, in one pass over the repertory, and says what the search would
never find:
  - each file: loads, or why not, with line and column;
  - list.xml: missing keys, entries with fewer than two child nodes, keys
    given more than once (the first wins), the chapter names in picker order
    with their codes, chapter names that are empty or repeated;
  - garepertory.xml, per chapter: symptoms (`symptom` elements that hold
    the chapter), rubrics (elements that list a remedy there: one result
    line each) and remedy listings; chapters with no listing; categories
    whose name is no chapter code; remedy elements outside every category
    below a symptom; rubrics whose line is a remedy's name (the remedy
    comes first) or empty;
  - remedy names: in remedy.xml but never listed; listed but missing from
    remedy.xml; names that differ only in letter case (ASCII and Latin-1
    letters) or surrounding white space; names given more than once in
    remedy.xml; whether "...." is there and first.
Names are shown in double quotes, with \" \\ and control characters escaped
(\x0A, \u009B).

Options:
  --format FORMAT     "text" (default) or "json"
  --help              show this help

JSON output: {"files": [{"file", "loaded", "error"}], "textTable": {...} or
null, "repertory": {...} or null, "remedyNames": {...}, "findings": N}.
Lists of places hold the first 100; "count" gives them all.

Exit status: 0 when nothing was found, 1 when there are findings, 2 when a
data file fails to load ("Load Failed" and the reason on stderr), 64 on bad
usage. (A remedy named "check" is searched with: orvex-compare -- check)
)";

// How many places of one kind the text report shows.
constexpr std::size_t kShown = 10;

// Quoted, so that surrounding spaces show; control characters escaped, so
// that data cannot move the terminal's cursor or fake a line of the report.
// XML lets in tab, line feed, carriage return, DEL and the C1 controls
// (U+0080 to U+009F, such as the terminal's CSI).
std::string inQuotes(std::string_view text)
{
    return '"' + escapedForText(text, '"') + '"';
}

std::string plural(std::uint64_t count, const char* one, const char* many)
{
    return std::to_string(count) + ' ' + (count == 1 ? one : many);
}

class TextReport {
public:
    TextReport(const DataCheckReport& report, std::ostream& out) : report_(report), out_(out) {}

    void print()
    {
        files();
        textTable();
        repertory();
        remedyNames();
        const std::uint64_t findings = report_.findingCount();
        out_ << '\n' << (findings == 0 ? std::string("No findings.") : plural(findings, "finding.", "findings.")) << '\n';
    }

private:
    void heading(const std::string& title) { out_ << '\n' << title << '\n'; }

    // One check: "none", or its items, the first kShown of them.
    template <typename Items, typename Show>
    void check(const char* title, const Items& items, std::uint64_t count, Show show)
    {
        out_ << "  " << title << ':';
        if (count == 0) {
            out_ << " none\n";
            return;
        }
        out_ << ' ' << count << '\n';
        std::size_t shown = 0;
        for (const auto& item : items) {
            if (shown++ == kShown)
                break;
            out_ << "    ";
            show(item);
            out_ << '\n';
        }
        if (count > kShown)
            out_ << "    ... and " << count - kShown << " more\n";
    }
    template <typename Items, typename Show>
    void check(const char* title, const Items& items, Show show)
    {
        check(title, items, items.size(), show);
    }

    bool notChecked(const FileCheck& file)
    {
        if (!file.loaded)
            out_ << "  not checked: " << file.fileName << " does not load\n";
        return !file.loaded;
    }

    void files()
    {
        out_ << "Files\n";
        for (const FileCheck& file : report_.files) {
            out_ << "  " << file.fileName << ": ";
            out_ << (file.loaded ? std::string("loads") : "Load Failed: " + file.error) << '\n';
        }
    }

    void textTable()
    {
        const TextTableCheck& texts = report_.texts;
        heading("Text table (" + report_.files[1].fileName + ")");
        if (notChecked(report_.files[1]))
            return;
        out_ << "  Chapters in picker order:\n";
        for (std::size_t i = 0; i < kChapters.size(); ++i)
            out_ << "    " << i + 1 << ". " << inQuotes(texts.chapterNames[i]) << " searches \"" << kChapters[i].code
                 << "\" (" << kChapters[i].textKey << ")\n";
        check("Missing keys", texts.missingKeys, [&](const std::string& key) { out_ << key; });
        check("Entries with fewer than two child nodes (no text)", texts.shortEntries.first,
              texts.shortEntries.count, [&](const Place& entry) {
                  out_ << "line " << entry.line << ": "
                       << (entry.text.empty() ? std::string("no name") : inQuotes(entry.text));
              });
        check("Keys given more than once (the first wins)", texts.repeatedKeys, [&](const KeyEntries& key) {
            out_ << key.key << ": lines";
            for (const std::uint64_t line : key.lines)
                out_ << ' ' << line;
        });
        check("Chapter names that are empty (the chapter cannot be chosen)", texts.emptyChapterNames,
              [&](std::size_t i) { out_ << i + 1 << ". (" << kChapters[i].textKey << ')'; });
        check("Chapter names given twice (the later searches the earlier chapter)", texts.chapterClashes,
              [&](const ChapterClash& clash) {
                  out_ << clash.position + 1 << ". " << inQuotes(texts.chapterNames[clash.position]) << " is also "
                       << clash.samePosition + 1 << '.';
              });
    }

    std::string chapterName(std::size_t i) const
    {
        const std::string& name = report_.texts.chapterNames[i];
        return name.empty() ? std::string(kChapters[i].code) : name;
    }

    void repertory()
    {
        const RepertoryCensus& census = report_.repertory;
        heading("Repertory (" + report_.files[2].fileName + ")");
        if (notChecked(report_.files[2]))
            return;
        if (!census.rootIsList) {
            out_ << "  The root element is not \"list\": nothing in the file is ever found\n";
            return;
        }
        out_ << "  Code  Symptoms   Rubrics  Listings  Chapter\n";
        for (std::size_t i = 0; i < census.chapters.size(); ++i) {
            const ChapterCensus& chapter = census.chapters[i];
            char row[80];
            std::snprintf(row, sizeof row, "  %-4s %9llu %9llu %9llu  ", std::string(chapter.code).c_str(),
                          static_cast<unsigned long long>(chapter.symptoms),
                          static_cast<unsigned long long>(chapter.rubrics),
                          static_cast<unsigned long long>(chapter.listings));
            out_ << row << chapterName(i) << '\n';
        }
        std::vector<std::size_t> empty;
        for (std::size_t i = 0; i < census.chapters.size(); ++i) {
            if (census.chapters[i].listings == 0)
                empty.push_back(i);
        }
        check("Chapters with no remedy listing (every search there is empty)", empty,
              [&](std::size_t i) { out_ << census.chapters[i].code << ' ' << inQuotes(chapterName(i)); });
        check("Categories whose name is no chapter code (never searched)", census.unknownCategories,
              [&](const UnknownCategory& category) {
                  out_ << (category.named ? "name " + inQuotes(category.name) : std::string("no name")) << ": "
                       << plural(category.count, "category", "categories") << ", "
                       << plural(category.listings, "listing", "listings") << ", first at line "
                       << category.firstLine;
                  const std::string key = lookAlikeKey(category.name);
                  for (const ChapterEntry& chapter : kChapters) {
                      if (key == chapter.code)
                          out_ << " (meant \"" << chapter.code << "\"?)";
                  }
              });
        check("Remedy elements outside every category below a symptom (never found)", census.strayRemedies.first,
              census.strayRemedies.count, [&](const Place& place) { out_ << "line " << place.line; });
        check("Rubrics whose line is a remedy's name (the remedy comes first)", census.remedyAsLine.first,
              census.remedyAsLine.count,
              [&](const Place& place) { out_ << "line " << place.line << ": " << inQuotes(place.text); });
        check("Rubrics with an empty line", census.emptyLine.first, census.emptyLine.count,
              [&](const Place& place) { out_ << "line " << place.line; });
    }

    void remedyNames()
    {
        const RemedyNameCheck& names = report_.names;
        heading("Remedy names");
        const bool both = report_.files[0].loaded && report_.files[2].loaded;
        if (both) {
            check("In remedy.xml, never listed (always empty lists)", names.neverListed,
                  [&](const std::string& name) { out_ << inQuotes(name); });
            check("Listed, missing from remedy.xml (reachable only by typing)", names.notInRemedyList,
                  [&](const NameCount& name) { out_ << inQuotes(name.name) << ": " << plural(name.count, "listing", "listings"); });
        } else {
            out_ << "  remedy.xml and the repertory not compared: a file does not load\n";
        }
        check("Names that differ only in letter case or surrounding white space", names.lookAlikes,
              [&](const std::vector<NameSpelling>& group) {
                  for (std::size_t i = 0; i < group.size(); ++i) {
                      out_ << (i == 0 ? "" : ", ") << inQuotes(group[i].name) << " ("
                           << plural(group[i].inRemedyList, "entry", "entries") << ", "
                           << plural(group[i].listings, "listing", "listings") << ')';
                  }
              });
        if (report_.files[0].loaded) {
            check("Given more than once in remedy.xml", names.duplicates,
                  [&](const NameCount& name) { out_ << inQuotes(name.name) << ": " << name.count << " times"; });
            out_ << "  \"....\" (no remedy): "
                 << (names.noRemedyFirst     ? "first entry"
                         : names.noRemedyPresent ? "present but not first (the pickers start with a remedy chosen)"
                                                 : "missing (no picker can be cleared)")
                 << '\n';
        }
    }

    const DataCheckReport& report_;
    std::ostream& out_;
};

nlohmann::json placesJson(const Sightings& sightings, bool withText, const char* textName)
{
    nlohmann::json first = nlohmann::json::array();
    for (const Place& place : sightings.first) {
        nlohmann::json item = {{"line", place.line}};
        if (withText)
            item[textName] = place.text;
        first.push_back(std::move(item));
    }
    return {{"count", sightings.count}, {"first", std::move(first)}};
}

nlohmann::json textTableJson(const TextTableCheck& texts)
{
    nlohmann::json chapters = nlohmann::json::array();
    for (std::size_t i = 0; i < kChapters.size(); ++i)
        chapters.push_back({{"name", texts.chapterNames[i]}, {"code", kChapters[i].code}, {"key", kChapters[i].textKey}});
    nlohmann::json repeated = nlohmann::json::array();
    for (const KeyEntries& key : texts.repeatedKeys)
        repeated.push_back({{"key", key.key}, {"lines", key.lines}});
    nlohmann::json clashes = nlohmann::json::array();
    for (const ChapterClash& clash : texts.chapterClashes)
        clashes.push_back({{"position", clash.position}, {"sameAs", clash.samePosition}});
    return {{"chapters", chapters},
            {"missingKeys", texts.missingKeys},
            {"shortEntries", placesJson(texts.shortEntries, true, "key")},
            {"repeatedKeys", repeated},
            {"emptyChapterNames", texts.emptyChapterNames},
            {"chapterClashes", clashes}};
}

nlohmann::json repertoryJson(const RepertoryCensus& census)
{
    nlohmann::json chapters = nlohmann::json::array();
    for (const ChapterCensus& chapter : census.chapters)
        chapters.push_back({{"code", chapter.code}, {"symptoms", chapter.symptoms}, {"rubrics", chapter.rubrics},
                            {"listings", chapter.listings}});
    nlohmann::json unknown = nlohmann::json::array();
    for (const UnknownCategory& category : census.unknownCategories)
        unknown.push_back({{"name", category.named ? nlohmann::json(category.name) : nlohmann::json()},
                           {"count", category.count}, {"listings", category.listings}, {"line", category.firstLine}});
    return {{"rootIsList", census.rootIsList},
            {"chapters", chapters},
            {"unknownCategories", unknown},
            {"strayRemedies", placesJson(census.strayRemedies, false, "")},
            {"remedyAsLine", placesJson(census.remedyAsLine, true, "text")},
            {"emptyLine", placesJson(census.emptyLine, false, "")}};
}

nlohmann::json namesJson(const DataCheckReport& report)
{
    const RemedyNameCheck& names = report.names;
    const auto counts = [](const std::vector<NameCount>& list, const char* what) {
        nlohmann::json array = nlohmann::json::array();
        for (const NameCount& name : list)
            array.push_back({{"name", name.name}, {what, name.count}});
        return array;
    };
    nlohmann::json lookAlikes = nlohmann::json::array();
    for (const auto& group : names.lookAlikes) {
        nlohmann::json spellings = nlohmann::json::array();
        for (const NameSpelling& spelling : group)
            spellings.push_back(
                {{"name", spelling.name}, {"inRemedyList", spelling.inRemedyList}, {"listings", spelling.listings}});
        lookAlikes.push_back(std::move(spellings));
    }
    const bool both = report.files[0].loaded && report.files[2].loaded;
    const bool remedyList = report.files[0].loaded;
    return {{"neverListed", both ? nlohmann::json(names.neverListed) : nlohmann::json()},
            {"notInRemedyList", both ? counts(names.notInRemedyList, "listings") : nlohmann::json()},
            {"lookAlikes", lookAlikes},
            {"duplicates", remedyList ? counts(names.duplicates, "count") : nlohmann::json()},
            {"noRemedy", remedyList ? nlohmann::json{{"present", names.noRemedyPresent}, {"first", names.noRemedyFirst}}
                                    : nlohmann::json()}};
}

void printJson(const DataCheckReport& report, std::ostream& out)
{
    nlohmann::json files = nlohmann::json::array();
    for (const FileCheck& file : report.files)
        files.push_back({{"file", file.fileName}, {"loaded", file.loaded}, {"error", file.error}});
    const nlohmann::json object = {
        {"files", files},
        {"textTable", report.files[1].loaded ? textTableJson(report.texts) : nlohmann::json()},
        {"repertory", report.files[2].loaded ? repertoryJson(report.repertory) : nlohmann::json()},
        {"remedyNames", namesJson(report)},
        {"findings", report.findingCount()},
    };
    out << jsonText(object) << '\n';
}

} // namespace

int runCheckCommand(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err)
{
    bool json = false;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        if (argument == "--help") {
            out << kUsage;
            return kExitOk;
        }
        std::string format;
        if (argument.rfind("--format=", 0) == 0)
            format = argument.substr(9);
        else if (argument == "--format" && i + 1 < arguments.size())
            format = arguments[++i];
        else {
            err << "orvex-compare check: "
                << (argument == "--format" ? std::string("--format needs a value") : "unknown argument " + argument)
                << "\n\n" << kUsage;
            return kExitUsage;
        }
        if (format != "text" && format != "json") {
            err << "orvex-compare check: --format must be \"text\" or \"json\", not \"" << format << "\"\n\n" << kUsage;
            return kExitUsage;
        }
        json = format == "json";
    }

    const DataCheckReport report = checkDataFiles(kRemedyListFileName, kStringsFileName, kRepertoryFileName);
    for (const FileCheck& file : report.files) {
        if (!file.loaded)
            err << "Load Failed: " << file.fileName << ": " << file.error << '\n';
    }
    if (json)
        printJson(report, out);
    else
        TextReport(report, out).print();
    if (report.loadFailed())
        return kExitLoadFailed;
    return report.findingCount() == 0 ? kExitOk : kExitFindings;
}

} // namespace orvex::cli
