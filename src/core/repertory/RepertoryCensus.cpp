#include "core/repertory/RepertoryCensus.h"
#include "core/AsciiText.h"

#include "core/repertory/RepertoryWalk.h"

#include <optional>
#include <unordered_map>

namespace orvex {

void Sightings::add(std::uint64_t line, std::string_view text)
{
    ++count;
    if (first.size() < kKept)
        first.push_back({line, std::string(text)});
}

namespace {

// Bit i stands for chapter i of kChapters; kUnknown for any other name.
using ChapterBits = std::uint8_t;
constexpr std::size_t kUnknown = kChapters.size();
constexpr ChapterBits kKnownBits = (1U << kChapters.size()) - 1;

struct StringHash {
    using is_transparent = void;
    std::size_t operator()(std::string_view text) const { return std::hash<std::string_view>{}(text); }
};

// Per rubric: the chapters it has been counted in already.
struct Counted {
    ChapterBits chapters = 0;
};

class Census : public RepertoryWalk<Census, Counted> {
public:
    static constexpr bool kFullStructure = true;

    explicit Census(RepertoryCensus& result) : result_(result)
    {
        for (std::size_t i = 0; i < kChapters.size(); ++i)
            result_.chapters[i].code = kChapters[i].code;
    }

    bool run(const std::string& fileName) { return walkFile(fileName, result_.error); }

    // The walk's hooks, with the helpers they share.
    bool rootStarts(bool isList)
    {
        result_.rootIsList = isList;
        return isList;
    }

    // Every category below a symptom is walked, so that the listings of
    // misspelt chapters can be counted too.
    bool categoryStarts(int attributeCount, const xmlChar** attributes)
    {
        std::string_view name;
        const bool named = walk::nameAttribute(attributeCount, attributes, name) != nullptr;
        std::size_t chapter = kUnknown;
        for (std::size_t i = 0; named && i < kChapters.size(); ++i) {
            if (name == kChapters[i].code)
                chapter = i;
        }
        if (chapter == kUnknown)
            unknownCategoryStarts(named, name);
        else
            openSymptoms_.back() |= static_cast<ChapterBits>(1U << chapter);
        if (depth_[chapter]++ == 0)
            open_ |= static_cast<ChapterBits>(1U << chapter);
        categories_.push_back(static_cast<std::uint8_t>(chapter));
        return true;
    }

    void categoryEnds()
    {
        const std::size_t chapter = categories_.back();
        categories_.pop_back();
        if (--depth_[chapter] == 0)
            open_ &= static_cast<ChapterBits>(~(1U << chapter));
        if (chapter == kUnknown)
            unknownOpen_.pop_back();
    }

    void unknownCategoryStarts(bool named, std::string_view name)
    {
        std::size_t index = 0;
        if (!named) {
            index = noName();
        } else {
            const auto [found, added] = unknownIndex_.try_emplace(std::string(name), result_.unknownCategories.size());
            if (added)
                result_.unknownCategories.push_back({std::string(name), true, 0, 0, currentLine()});
            index = found->second;
        }
        ++result_.unknownCategories[index].count;
        unknownOpen_.push_back(index);
    }

    // A category without a `name` is kept apart from one named "".
    std::size_t noName()
    {
        if (!noNameIndex_) {
            noNameIndex_ = result_.unknownCategories.size();
            result_.unknownCategories.push_back({{}, false, 0, 0, currentLine()});
        }
        return *noNameIndex_;
    }

    void symptomStarts() { openSymptoms_.push_back(0); }

    // A symptom counts once in every chapter that lies anywhere below it.
    void symptomEnds()
    {
        const ChapterBits chapters = openSymptoms_.back();
        openSymptoms_.pop_back();
        forEachChapter(chapters, [this](std::size_t i) { ++result_.chapters[i].symptoms; });
        if (!openSymptoms_.empty())
            openSymptoms_.back() |= chapters;
    }

    void strayRemedy(std::uint64_t line) { result_.strayRemedies.add(line, {}); }

    std::size_t remedyStarts() { return 0; }

    void remedyEnds(const Frame& /*remedy*/, Frame& parent, std::string_view name)
    {
        const ChapterBits chapters = open_ & kKnownBits;
        if (chapters == 0) {
            ++result_.unknownCategories[unknownOpen_.back()].listings;
            return;
        }
        forEachChapter(chapters, [this](std::size_t i) { ++result_.chapters[i].listings; });
        const ChapterBits newChapters = chapters & static_cast<ChapterBits>(~parent.state.chapters);
        if (newChapters != 0) {
            if (parent.state.chapters == 0)
                rubricFound(parent);
            forEachChapter(newChapters, [this](std::size_t i) { ++result_.chapters[i].rubrics; });
            parent.state.chapters |= newChapters;
        }
        listed(name);
    }

private:
    void rubricFound(const Frame& rubric)
    {
        const std::string_view line = trimmed(rubric.line);
        if (rubric.firstIsRemedy)
            result_.remedyAsLine.add(rubric.startLine, line);
        else if (line.empty())
            result_.emptyLine.add(rubric.startLine, {});
    }

    void listed(std::string_view name)
    {
        if (const auto found = nameIndex_.find(name); found != nameIndex_.end()) {
            ++result_.names[found->second].count;
            return;
        }
        nameIndex_.emplace(std::string(name), result_.names.size());
        result_.names.push_back({std::string(name), 1});
    }

    template <typename Action>
    static void forEachChapter(ChapterBits chapters, Action action)
    {
        for (std::size_t i = 0; i < kChapters.size(); ++i) {
            if ((chapters & (1U << i)) != 0)
                action(i);
        }
    }

    RepertoryCensus& result_;
    std::array<std::size_t, kChapters.size() + 1> depth_{}; // open categories per chapter, and unknown ones
    ChapterBits open_ = 0;                                   // chapters with an open category
    std::vector<std::uint8_t> categories_;                   // chapter of each open category
    std::vector<std::size_t> unknownOpen_;                   // open unknown categories, innermost last
    std::vector<ChapterBits> openSymptoms_;                  // chapters found below each open symptom
    std::unordered_map<std::string, std::size_t, StringHash, std::equal_to<>> unknownIndex_;
    std::optional<std::size_t> noNameIndex_;
    std::unordered_map<std::string, std::size_t, StringHash, std::equal_to<>> nameIndex_;
};

} // namespace

RepertoryCensus censusRepertoryFile(const std::string& fileName)
{
    RepertoryCensus result;
    for (int attempt = 0; attempt < kReadAttempts; ++attempt) {
        result = RepertoryCensus{};
        Census census(result);
        result.loaded = census.run(fileName);
        if (!census.changedWhileRead())
            break;
    }
    if (!result.loaded) {
        const std::string error = result.error;
        result = RepertoryCensus{};
        result.error = error;
    }
    return result;
}

} // namespace orvex
