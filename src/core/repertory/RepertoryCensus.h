#pragma once

#include "core/data/Chapters.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace orvex {

// Where something was found in a data file, with the text it concerns.
struct Place {
    std::uint64_t line = 0;
    std::string text;
};

// How often something was found, and the first few places.
struct Sightings {
    static constexpr std::size_t kKept = 100;

    std::uint64_t count = 0;
    std::vector<Place> first;

    void add(std::uint64_t line, std::string_view text);
    bool empty() const { return count == 0; }
};

// What the search can reach in one chapter.
struct ChapterCensus {
    std::string_view code;
    std::uint64_t symptoms = 0; // `symptom` elements holding a category of the chapter
    std::uint64_t rubrics = 0;  // elements listing remedies there: one result line each
    std::uint64_t listings = 0; // `remedy` elements there
};

// A `category` name that is none of the chapter codes: never searched.
struct UnknownCategory {
    std::string name;
    bool named = true; // false: the element has no `name` attribute at all
    std::uint64_t count = 0;
    std::uint64_t listings = 0; // remedy elements below it that no chapter holds
    std::uint64_t firstLine = 0;
};

// A name and how often it occurs.
struct NameCount {
    std::string name;
    std::uint64_t count = 0;
};

// One streaming pass over the repertory that sees what the search sees, and
// what it never will.
struct RepertoryCensus {
    bool loaded = false;
    std::string error;
    bool rootIsList = true;
    std::array<ChapterCensus, kChapters.size()> chapters{};
    std::vector<UnknownCategory> unknownCategories; // in order of first appearance
    Sightings strayRemedies;   // `remedy` elements outside every category below a symptom
    Sightings remedyAsLine;    // rubrics whose first child is a remedy: the line is its name
    Sightings emptyLine;       // rubrics whose line is empty
    std::vector<NameCount> names; // distinct remedy names in the chapters, by first listing, with their listings
};

// Reads the whole repertory file. Chapters are the five codes in picker
// order; rubric findings name the rubric's starting line.
RepertoryCensus censusRepertoryFile(const std::string& fileName);

} // namespace orvex
