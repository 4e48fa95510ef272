#pragma once

#include "core/data/Chapters.h"
#include "core/repertory/RepertoryCensus.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace orvex {

// Whether one data file loads, and why not.
struct FileCheck {
    std::string fileName;
    bool loaded = false;
    std::string error; // "Load Failed" reason with line and column
};

// A text key and every `string` entry that gives it.
struct KeyEntries {
    std::string key;
    std::vector<std::uint64_t> lines; // the first wins
};

// Two chapter picker entries with the same name: choosing the later one
// searches the earlier chapter.
struct ChapterClash {
    std::size_t position = 0;
    std::size_t samePosition = 0;
};

struct TextTableCheck {
    std::vector<std::string> missingKeys;  // in table order
    Sightings shortEntries;                // `string` entries with fewer than two child nodes; text: the key
    std::vector<KeyEntries> repeatedKeys;  // texts the program uses, given more than once
    ChapterPickerEntries chapterNames;     // picker order; codes in kChapters
    std::vector<std::size_t> emptyChapterNames;
    std::vector<ChapterClash> chapterClashes;
};

// One remedy name as remedy.xml and the repertory write it.
struct NameSpelling {
    std::string name;
    std::uint64_t inRemedyList = 0; // entries of remedy.xml
    std::uint64_t listings = 0;     // remedy elements in the five chapters
};

struct RemedyNameCheck {
    std::vector<std::string> neverListed;       // in remedy.xml, never in a chapter: always empty lists
    std::vector<NameCount> notInRemedyList;     // in a chapter only (with its listings): reachable by typing alone
    std::vector<std::vector<NameSpelling>> lookAlikes; // groups equal but for letter case or surrounding space
    std::vector<NameCount> duplicates;          // remedy.xml names given more than once, how often
    bool noRemedyPresent = false;               // "...." is an entry of remedy.xml
    bool noRemedyFirst = false;                 // ...and the first
};

// The kinds of finding, in the order the report shows them.
enum class FindingKind {
    LoadFailed,
    MissingKey,
    ShortEntry,
    RepeatedKey,
    EmptyChapterName,
    ChapterClash,
    RootNotList,
    ChapterWithoutListings,
    UnknownCategory,
    StrayRemedy,
    RemedyAsLine,
    EmptyLine,
    NeverListed,
    NotInRemedyList,
    LookAlike,
    Duplicate,
    NoRemedyNotFirst,
};

// How many findings of one kind a check that was carried out gave (0 too).
struct Finding {
    FindingKind kind;
    std::uint64_t count = 0;
};

// Everything `orvex-compare check` reports on a data folder.
struct DataCheckReport {
    FileCheck remedyFile;    // remedy.xml
    FileCheck stringsFile;   // list.xml
    FileCheck repertoryFile; // garepertory.xml
    TextTableCheck texts;
    RepertoryCensus repertory;
    std::vector<std::size_t> chaptersWithoutListings; // positions in kChapters: every search there is empty
    RemedyNameCheck names;
    // Each missing key, repeated name, misspelt chapter, bad rubric and so on
    // is one finding; a failed load is one too. Only the checks that could be
    // made are here: none on a file that does not load.
    std::vector<Finding> findings;

    // The three files in the order the report lists them.
    std::array<const FileCheck*, 3> files() const { return {&remedyFile, &stringsFile, &repertoryFile}; }
    bool loadFailed() const;
    // Whether the check of that kind was made.
    bool checked(FindingKind kind) const;
    // The findings of one kind; 0 where the check was not made.
    std::uint64_t count(FindingKind kind) const;
    std::uint64_t findingCount() const;
};

// Checks the three data files by the names given (bare names resolve
// against the current folder), with the program's own loader and rules.
DataCheckReport checkDataFiles(const std::string& remedyFile, const std::string& stringsFile,
                               const std::string& repertoryFile);

// Letter case and surrounding white space folded away: names with the same
// key look alike to a reader but never match. Folds ASCII and the Latin-1
// letters; other scripts are compared as written.
std::string lookAlikeKey(std::string_view name);

} // namespace orvex
