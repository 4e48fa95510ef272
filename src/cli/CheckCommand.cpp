#include "cli/CheckCommand.h"

#include "cli/CommandLine.h"
#include "cli/Output.h"
#include "core/data/DataCheck.h"
#include "core/data/RemedyList.h"
#include "core/data/StringTable.h"
#include "core/repertory/ComparisonSearch.h"

#include <cstdio>
#include <ostream>
#include <variant>

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
    void check(FindingKind kind, const char* title, const Items& items, Show show)
    {
        const std::uint64_t count = report_.count(kind);
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
    bool notChecked(const FileCheck& file)
    {
        if (!file.loaded)
            out_ << "  not checked: " << file.fileName << " does not load\n";
        return !file.loaded;
    }

    void files()
    {
        out_ << "Files\n";
        for (const FileCheck* file : report_.files()) {
            out_ << "  " << file->fileName << ": ";
            out_ << (file->loaded ? std::string("loads") : "Load Failed: " + file->error) << '\n';
        }
    }

    void textTable()
    {
        const TextTableCheck& texts = report_.texts;
        heading("Text table (" + report_.stringsFile.fileName + ")");
        if (notChecked(report_.stringsFile))
            return;
        out_ << "  Chapters in picker order:\n";
        for (std::size_t i = 0; i < kChapters.size(); ++i)
            out_ << "    " << i + 1 << ". " << inQuotes(texts.chapterNames[i]) << " searches \"" << kChapters[i].code
                 << "\" (" << kChapters[i].textKey << ")\n";
        check(FindingKind::MissingKey, "Missing keys", texts.missingKeys, [&](const std::string& key) { out_ << key; });
        check(FindingKind::ShortEntry, "Entries with fewer than two child nodes (no text)", texts.shortEntries.first,
              [&](const Place& entry) {
                  out_ << "line " << entry.line << ": "
                       << (entry.text.empty() ? std::string("no name") : inQuotes(entry.text));
              });
        check(FindingKind::RepeatedKey, "Keys given more than once (the first wins)", texts.repeatedKeys, [&](const KeyEntries& key) {
            out_ << key.key << ": lines";
            for (const std::uint64_t line : key.lines)
                out_ << ' ' << line;
        });
        check(FindingKind::EmptyChapterName, "Chapter names that are empty (the chapter cannot be chosen)", texts.emptyChapterNames,
              [&](std::size_t i) { out_ << i + 1 << ". (" << kChapters[i].textKey << ')'; });
        check(FindingKind::ChapterClash, "Chapter names given twice (the later searches the earlier chapter)", texts.chapterClashes,
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
        heading("Repertory (" + report_.repertoryFile.fileName + ")");
        if (notChecked(report_.repertoryFile))
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
        check(FindingKind::ChapterWithoutListings, "Chapters with no remedy listing (every search there is empty)",
              report_.chaptersWithoutListings,
              [&](std::size_t i) { out_ << census.chapters[i].code << ' ' << inQuotes(chapterName(i)); });
        check(FindingKind::UnknownCategory, "Categories whose name is no chapter code (never searched)", census.unknownCategories,
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
        check(FindingKind::StrayRemedy, "Remedy elements outside every category below a symptom (never found)",
              census.strayRemedies.first, [&](const Place& place) { out_ << "line " << place.line; });
        check(FindingKind::RemedyAsLine, "Rubrics whose line is a remedy's name (the remedy comes first)",
              census.remedyAsLine.first,
              [&](const Place& place) { out_ << "line " << place.line << ": " << inQuotes(place.text); });
        check(FindingKind::EmptyLine, "Rubrics with an empty line", census.emptyLine.first,
              [&](const Place& place) { out_ << "line " << place.line; });
    }

    void remedyNames()
    {
        const RemedyNameCheck& names = report_.names;
        heading("Remedy names");
        if (report_.checked(FindingKind::NeverListed)) {
            check(FindingKind::NeverListed, "In remedy.xml, never listed (always empty lists)", names.neverListed,
                  [&](const std::string& name) { out_ << inQuotes(name); });
            check(FindingKind::NotInRemedyList, "Listed, missing from remedy.xml (reachable only by typing)", names.notInRemedyList,
                  [&](const NameCount& name) { out_ << inQuotes(name.name) << ": " << plural(name.count, "listing", "listings"); });
        } else {
            out_ << "  remedy.xml and the repertory not compared: a file does not load\n";
        }
        check(FindingKind::LookAlike, "Names that differ only in letter case or surrounding white space", names.lookAlikes,
              [&](const std::vector<NameSpelling>& group) {
                  for (std::size_t i = 0; i < group.size(); ++i) {
                      out_ << (i == 0 ? "" : ", ") << inQuotes(group[i].name) << " ("
                           << plural(group[i].inRemedyList, "entry", "entries") << ", "
                           << plural(group[i].listings, "listing", "listings") << ')';
                  }
              });
        if (report_.checked(FindingKind::Duplicate)) {
            check(FindingKind::Duplicate, "Given more than once in remedy.xml", names.duplicates,
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

void writePlaces(JsonWriter& json, const Sightings& sightings, const char* textName = nullptr)
{
    json.beginObject();
    json.key("count").value(sightings.count);
    json.key("first").beginArray();
    for (const Place& place : sightings.first) {
        json.beginObject();
        // Keys in byte order: "key" < "line" < "text".
        const bool textFirst = textName != nullptr && std::string_view(textName) < "line";
        if (textFirst)
            json.key(textName).value(place.text);
        json.key("line").value(std::uint64_t{place.line});
        if (textName != nullptr && !textFirst)
            json.key(textName).value(place.text);
        json.endObject();
    }
    json.endArray();
    json.endObject();
}

void writeTextTable(JsonWriter& json, const TextTableCheck& texts)
{
    json.beginObject();
    json.key("chapterClashes").beginArray();
    for (const ChapterClash& clash : texts.chapterClashes) {
        json.beginObject();
        json.key("position").value(std::uint64_t{clash.position});
        json.key("sameAs").value(std::uint64_t{clash.samePosition});
        json.endObject();
    }
    json.endArray();
    json.key("chapters").beginArray();
    for (std::size_t i = 0; i < kChapters.size(); ++i) {
        json.beginObject();
        json.key("code").value(kChapters[i].code);
        json.key("key").value(kChapters[i].textKey);
        json.key("name").value(texts.chapterNames[i]);
        json.endObject();
    }
    json.endArray();
    json.key("emptyChapterNames").numbers(texts.emptyChapterNames);
    json.key("missingKeys").values(texts.missingKeys);
    json.key("repeatedKeys").beginArray();
    for (const KeyEntries& key : texts.repeatedKeys) {
        json.beginObject();
        json.key("key").value(key.key);
        json.key("lines").numbers(key.lines);
        json.endObject();
    }
    json.endArray();
    json.key("shortEntries");
    writePlaces(json, texts.shortEntries, "key");
    json.endObject();
}

void writeRepertory(JsonWriter& json, const RepertoryCensus& census)
{
    json.beginObject();
    json.key("chapters").beginArray();
    for (const ChapterCensus& chapter : census.chapters) {
        json.beginObject();
        json.key("code").value(chapter.code);
        json.key("listings").value(chapter.listings);
        json.key("rubrics").value(chapter.rubrics);
        json.key("symptoms").value(chapter.symptoms);
        json.endObject();
    }
    json.endArray();
    json.key("emptyLine");
    writePlaces(json, census.emptyLine);
    json.key("remedyAsLine");
    writePlaces(json, census.remedyAsLine, "text");
    json.key("rootIsList").value(census.rootIsList);
    json.key("strayRemedies");
    writePlaces(json, census.strayRemedies);
    json.key("unknownCategories").beginArray();
    for (const UnknownCategory& category : census.unknownCategories) {
        json.beginObject();
        json.key("count").value(category.count);
        json.key("line").value(std::uint64_t{category.firstLine});
        json.key("listings").value(category.listings);
        json.key("name");
        category.named ? json.value(category.name) : json.null();
        json.endObject();
    }
    json.endArray();
    json.endObject();
}

// `names` with their counts under `what`, or null when the check was not made.
void writeCounts(JsonWriter& json, bool checked, const std::vector<NameCount>& names, const char* what)
{
    if (!checked) {
        json.null();
        return;
    }
    json.beginArray();
    for (const NameCount& name : names) {
        json.beginObject();
        // Both of the names used come before "name".
        json.key(what).value(name.count);
        json.key("name").value(name.name);
        json.endObject();
    }
    json.endArray();
}

void writeRemedyNames(JsonWriter& json, const DataCheckReport& report)
{
    const RemedyNameCheck& names = report.names;
    const bool remedyList = report.checked(FindingKind::Duplicate);
    json.beginObject();
    json.key("duplicates");
    writeCounts(json, remedyList, names.duplicates, "count");
    json.key("lookAlikes").beginArray();
    for (const auto& group : names.lookAlikes) {
        json.beginArray();
        for (const NameSpelling& spelling : group) {
            json.beginObject();
            json.key("inRemedyList").value(spelling.inRemedyList);
            json.key("listings").value(spelling.listings);
            json.key("name").value(spelling.name);
            json.endObject();
        }
        json.endArray();
    }
    json.endArray();
    json.key("neverListed");
    report.checked(FindingKind::NeverListed) ? json.values(names.neverListed) : json.null();
    json.key("noRemedy");
    if (remedyList) {
        json.beginObject();
        json.key("first").value(names.noRemedyFirst);
        json.key("present").value(names.noRemedyPresent);
        json.endObject();
    } else {
        json.null();
    }
    json.key("notInRemedyList");
    writeCounts(json, report.checked(FindingKind::NotInRemedyList), names.notInRemedyList, "listings");
    json.endObject();
}

// Keys in byte order, as the output has always had them.
void printJson(const DataCheckReport& report, std::ostream& out)
{
    JsonWriter json(out);
    json.beginObject();
    json.key("files").beginArray();
    for (const FileCheck* file : report.files()) {
        json.beginObject();
        json.key("error").value(file->error);
        json.key("file").value(file->fileName);
        json.key("loaded").value(file->loaded);
        json.endObject();
    }
    json.endArray();
    json.key("findings").value(report.findingCount());
    json.key("remedyNames");
    writeRemedyNames(json, report);
    json.key("repertory");
    report.repertoryFile.loaded ? writeRepertory(json, report.repertory) : json.null();
    json.key("textTable");
    report.stringsFile.loaded ? writeTextTable(json, report.texts) : json.null();
    json.endObject();
}

int run(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err)
{
    const auto parsed = parseArguments(arguments, {"--format"}, {"--help"});
    if (const auto* error = std::get_if<UsageError>(&parsed))
        return usageError(err, "check", error->message, kUsage);
    const Arguments& given = std::get<Arguments>(parsed);
    if (!given.operands.empty())
        return usageError(err, "check", "unknown argument " + given.operands.front(), kUsage);
    bool json = false;
    bool help = false;
    for (const Option& option : given.options) {
        if (option.name == "--help") {
            help = true;
            continue;
        }
        const auto format = jsonFormat(*option.value);
        if (const auto* error = std::get_if<UsageError>(&format))
            return usageError(err, "check", error->message, kUsage);
        json = std::get<bool>(format);
    }
    if (help) {
        out << kUsage;
        return kExitOk;
    }

    const DataCheckReport report = checkDataFiles(kRemedyListFileName, kStringsFileName, kRepertoryFileName);
    for (const FileCheck* file : report.files()) {
        if (!file->loaded)
            err << "Load Failed: " << file->fileName << ": " << file->error << '\n';
    }
    if (json)
        printJson(report, out);
    else
        TextReport(report, out).print();
    if (report.loadFailed())
        return kExitLoadFailed;
    return report.findingCount() == 0 ? kExitOk : kExitFindings;
}

} // namespace

int runCheckCommand(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err)
{
    return finishOutput(run(arguments, out, err), out, err);
}

} // namespace orvex::cli
