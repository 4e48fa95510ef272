#include "core/data/DataCheck.h"
#include "core/AsciiText.h"

#include "core/MessageSink.h"
#include "core/data/RemedyList.h"
#include "core/data/StringTable.h"
#include "core/xml/CurrentDocument.h"
#include "core/xml/XmlText.h"

#include <algorithm>
#include <map>
#include <unordered_map>

namespace orvex {
namespace {

class RecordingSink final : public MessageSink {
public:
    void loadFailed(const std::string& /*fileName*/, const std::string& reason) override { reason_ = reason; }
    const std::string& reason() const { return reason_; }

private:
    std::string reason_;
};

FileCheck load(CurrentDocument& document, const std::string& fileName)
{
    RecordingSink sink;
    FileCheck check;
    check.fileName = fileName;
    check.loaded = LoadXmlDocument(document, fileName, sink) == 0;
    check.error = sink.reason();
    return check;
}

bool isPlainElement(const xmlNode* node, std::string_view name)
{
    return node->type == XML_ELEMENT_NODE && node->ns == nullptr
        && std::string_view(reinterpret_cast<const char*>(node->name)) == name;
}

std::uint64_t lineOf(const xmlNode* node)
{
    return XmlParser::lineOf(node);
}

// Every `string` entry, read as LookupText reads it: an entry gives each key
// that one of its `name` children holds, and its text is its second child.
TextTableCheck checkTextTable(const CurrentDocument& document)
{
    TextTableCheck check;
    std::map<std::string, std::vector<const xmlNode*>, std::less<>> entriesByKey;
    for (const xmlNode* entry : document.select("/descendant::string")) {
        std::size_t children = 0;
        std::string_view firstKey;
        for (const xmlNode* child = entry->children; child != nullptr; child = child->next) {
            ++children;
            if (!isPlainElement(child, "name"))
                continue;
            const std::string_view key = document.text(child);
            auto& entries = entriesByKey[std::string(key)];
            if (entries.empty() || entries.back() != entry)
                entries.push_back(entry);
            if (firstKey.empty())
                firstKey = key;
        }
        if (children < 2)
            check.shortEntries.add(lineOf(entry), firstKey);
    }
    for (const std::string_view key : kTextKeys) {
        const auto found = entriesByKey.find(key);
        if (found == entriesByKey.end()) {
            check.missingKeys.emplace_back(key);
        } else if (found->second.size() > 1) {
            KeyEntries repeated{std::string(key), {}};
            for (const xmlNode* entry : found->second)
                repeated.lines.push_back(lineOf(entry));
            check.repeatedKeys.push_back(std::move(repeated));
        }
    }

    check.chapterNames = chapterPickerEntries(LoadTextTable(document));
    for (std::size_t i = 0; i < kChapters.size(); ++i) {
        const std::string& name = check.chapterNames[i];
        // A missing key is reported as such; an empty text given on purpose is not.
        if (name.empty() && entriesByKey.count(kChapters[i].textKey) != 0)
            check.emptyChapterNames.push_back(i);
        for (std::size_t earlier = 0; !name.empty() && earlier < i; ++earlier) {
            if (check.chapterNames[earlier] == name) {
                check.chapterClashes.push_back({i, earlier});
                break;
            }
        }
    }
    return check;
}

// Compares the remedy list with the names the repertory lists; either side
// may be missing when its file did not load.
RemedyNameCheck checkRemedyNames(const RemedyNames* remedyList, const RepertoryCensus* repertory)
{
    RemedyNameCheck check;
    std::unordered_map<std::string_view, std::uint64_t> inList;
    std::vector<std::string_view> listOrder;
    if (remedyList != nullptr) {
        for (std::size_t i = 0; i < remedyList->size(); ++i) {
            const std::string_view name = (*remedyList)[i];
            if (inList[name]++ == 0)
                listOrder.push_back(name);
        }
        check.noRemedyPresent = inList.count(kNoRemedy) != 0;
        check.noRemedyFirst = remedyList->size() > 0 && (*remedyList)[0] == kNoRemedy;
        for (const std::string_view name : listOrder) {
            if (inList[name] > 1)
                check.duplicates.push_back({std::string(name), inList[name]});
        }
    }

    std::unordered_map<std::string_view, std::uint64_t> listed;
    if (repertory != nullptr) {
        for (const NameCount& name : repertory->names)
            listed.emplace(name.name, name.count);
    }
    if (remedyList != nullptr && repertory != nullptr) {
        for (const std::string_view name : listOrder) {
            if (name != kNoRemedy && listed.count(name) == 0)
                check.neverListed.emplace_back(name);
        }
        for (const NameCount& name : repertory->names) {
            if (inList.count(name.name) == 0)
                check.notInRemedyList.push_back(name);
        }
    }

    // Look-alikes over both files, in order of first appearance.
    std::map<std::string, std::size_t> groupOf;
    std::vector<std::vector<NameSpelling>> groups;
    const auto add = [&](std::string_view name, std::uint64_t entries, std::uint64_t listings) {
        const auto [found, added] = groupOf.try_emplace(lookAlikeKey(name), groups.size());
        if (added)
            groups.emplace_back();
        auto& group = groups[found->second];
        for (const NameSpelling& spelling : group) {
            if (spelling.name == name)
                return;
        }
        group.push_back({std::string(name), entries, listings});
    };
    for (const std::string_view name : listOrder) {
        const auto found = listed.find(name);
        add(name, inList[name], found == listed.end() ? 0 : found->second);
    }
    if (repertory != nullptr) {
        for (const NameCount& name : repertory->names)
            add(name.name, inList.count(name.name) != 0 ? inList[name.name] : 0, name.count);
    }
    for (auto& group : groups) {
        if (group.size() > 1)
            check.lookAlikes.push_back(std::move(group));
    }
    return check;
}

// The one place that says what counts as a finding, for the count and the
// report alike.
std::vector<Finding> findingsOf(DataCheckReport& report)
{
    std::vector<Finding> findings;
    const auto add = [&](FindingKind kind, std::uint64_t count) { findings.push_back({kind, count}); };
    std::uint64_t failed = 0;
    for (const FileCheck* file : report.files())
        failed += file->loaded ? 0 : 1;
    add(FindingKind::LoadFailed, failed);
    if (report.stringsFile.loaded) {
        const TextTableCheck& texts = report.texts;
        add(FindingKind::MissingKey, texts.missingKeys.size());
        add(FindingKind::ShortEntry, texts.shortEntries.count);
        add(FindingKind::RepeatedKey, texts.repeatedKeys.size());
        add(FindingKind::EmptyChapterName, texts.emptyChapterNames.size());
        add(FindingKind::ChapterClash, texts.chapterClashes.size());
    }
    const RepertoryCensus& census = report.repertory;
    if (census.loaded) {
        add(FindingKind::RootNotList, census.rootIsList ? 0 : 1);
        // Under another root nothing is ever found: the whole file is the one finding.
        for (std::size_t i = 0; census.rootIsList && i < census.chapters.size(); ++i) {
            if (census.chapters[i].listings == 0)
                report.chaptersWithoutListings.push_back(i);
        }
        add(FindingKind::ChapterWithoutListings, report.chaptersWithoutListings.size());
        add(FindingKind::UnknownCategory, census.unknownCategories.size());
        add(FindingKind::StrayRemedy, census.strayRemedies.count);
        add(FindingKind::RemedyAsLine, census.remedyAsLine.count);
        add(FindingKind::EmptyLine, census.emptyLine.count);
    }
    const RemedyNameCheck& names = report.names;
    if (report.remedyFile.loaded && census.loaded) {
        add(FindingKind::NeverListed, names.neverListed.size());
        add(FindingKind::NotInRemedyList, names.notInRemedyList.size());
    }
    add(FindingKind::LookAlike, names.lookAlikes.size());
    if (report.remedyFile.loaded) {
        add(FindingKind::Duplicate, names.duplicates.size());
        add(FindingKind::NoRemedyNotFirst, names.noRemedyFirst ? 0 : 1);
    }
    return findings;
}

} // namespace

std::string lookAlikeKey(std::string_view name)
{
    std::string key = asciiLowered(std::string(trimmed(name)));
    for (std::size_t i = 0; i + 1 < key.size(); ++i) {
        if (static_cast<unsigned char>(key[i]) != 0xC3)
            continue;
        // U+00C0..U+00DE are the capitals of U+00E0..U+00FE, but for U+00D7 (x).
        auto& next = reinterpret_cast<unsigned char&>(key[++i]);
        if (next >= 0x80 && next <= 0x9E && next != 0x97)
            next = static_cast<unsigned char>(next + 0x20);
    }
    return key;
}

bool DataCheckReport::loadFailed() const
{
    return !remedyFile.loaded || !stringsFile.loaded || !repertoryFile.loaded;
}

bool DataCheckReport::checked(FindingKind kind) const
{
    return std::any_of(findings.begin(), findings.end(), [&](const Finding& finding) { return finding.kind == kind; });
}

std::uint64_t DataCheckReport::count(FindingKind kind) const
{
    std::uint64_t count = 0;
    for (const Finding& finding : findings)
        count += finding.kind == kind ? finding.count : 0;
    return count;
}

std::uint64_t DataCheckReport::findingCount() const
{
    std::uint64_t count = 0;
    for (const Finding& finding : findings)
        count += finding.count;
    return count;
}

DataCheckReport checkDataFiles(const std::string& remedyFile, const std::string& stringsFile,
                               const std::string& repertoryFile)
{
    DataCheckReport report;
    CurrentDocument document;
    report.remedyFile = load(document, remedyFile);
    const RemedyNames remedyList = remedyPickerEntries(document);
    report.stringsFile = load(document, stringsFile);
    // A strings document that did not load lacks every key: one finding, not 28.
    if (report.stringsFile.loaded)
        report.texts = checkTextTable(document);
    document.clear();

    report.repertory = censusRepertoryFile(repertoryFile);
    report.repertoryFile = {repertoryFile, report.repertory.loaded, report.repertory.error};
    report.names = checkRemedyNames(report.remedyFile.loaded ? &remedyList : nullptr,
                                    report.repertory.loaded ? &report.repertory : nullptr);
    report.findings = findingsOf(report);
    return report;
}

} // namespace orvex
