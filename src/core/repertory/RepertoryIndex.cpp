#include "core/repertory/RepertoryIndex.h"
#include "core/AsciiText.h"

#include "core/repertory/RepertoryWalk.h"
#include "core/repertory/SearchMatches.h"

#include <algorithm>

namespace orvex {

LineIdLists RepertoryIndex::find(std::string_view code, const std::array<std::string, kRemedyPositions>& remedies,
                                 const ChosenPositions& chosen) const
{
    LineIdLists lists;
    const auto chapter = chapters_.find(code);
    if (chapter == chapters_.end())
        return lists;
    for (std::size_t k = 0; k < kRemedyPositions; ++k) {
        if (!chosen[k])
            continue;
        const auto name = names_.find(std::string_view(remedies[k]));
        if (name == names_.end())
            continue;
        const auto range = ranges_.find(key(chapter->second, name->second));
        if (range != ranges_.end())
            lists[k].assign(listings_.begin() + range->second.first, listings_.begin() + range->second.second);
    }
    return lists;
}

// Walks the file once as the search does, with every named category below a
// symptom taken as a chapter of its name: each remedy element found is
// recorded under each chapter that holds it, so that any later search is a
// look-up. The search of the request that caused the pass rides along, so
// that an index given up half-way costs no second pass.
namespace {

// A rubric's line in the pool of a generation: giving the index up starts a
// new pool, and lines interned in the old one are interned again.
struct GenerationLine {
    InternedLine line;
    std::uint32_t generation = 0;
};

} // namespace

class RepertoryIndexBuilder : public RepertoryWalk<RepertoryIndexBuilder, GenerationLine> {
public:
    static constexpr bool kFullStructure = false;

    RepertoryIndexBuilder(std::string_view code, const std::array<std::string, kRemedyPositions>& remedies,
                          const ChosenPositions& chosen, std::size_t memoryLimit, const std::atomic<bool>* stop)
        : code_(code), matches_(remedies, chosen), memoryLimit_(memoryLimit), stop_(stop)
    {
    }

    bool run(const std::string& fileName, std::string& error) { return walkFile(fileName, error); }

    LineIdLists lists() const { return matches_.lists(); }
    std::shared_ptr<LinePool> pool() const { return pool_; }

    // The index, or null when it was given up.
    std::shared_ptr<const RepertoryIndex> finish()
    {
        if (!indexing_)
            return nullptr;
        auto index = std::make_shared<RepertoryIndex>();
        // Listings grouped by chapter and name, each group in document order.
        std::vector<std::uint32_t> starts(keys_.size() + 1, 0);
        for (const Listing& listing : listings_)
            ++starts[listing.key + 1];
        for (std::size_t i = 1; i < starts.size(); ++i)
            starts[i] += starts[i - 1];
        index->listings_.resize(listings_.size());
        std::vector<std::uint32_t> next(starts.begin(), starts.end() - 1);
        for (const Listing& listing : listings_)
            index->listings_[next[listing.key]++] = listing.line;
        listings_ = {};
        for (std::uint32_t key = 0; key < keys_.size(); ++key)
            index->ranges_.emplace(keys_[key], std::make_pair(starts[key], starts[key + 1]));
        index->chapters_ = std::move(chapters_);
        index->names_ = std::move(names_);
        index->lines_ = pool_;
        return index;
    }

private:
    struct Listing {
        std::uint32_t key = 0; // the chapter and name's number in keys_
        LineId line = kEmptyLine;
    };
    struct Open {
        std::size_t first = 0; // its listings: one per chapter that holds it
        std::size_t count = 0;
        std::size_t match = 0; // its slot among the request's matches
        bool inRequest = false;
    };

public:
    // The walk's hooks.
    bool rootStarts(bool isList) const { return isList; }

    bool categoryStarts(int attributeCount, const xmlChar** attributes)
    {
        std::string_view name;
        if (walk::nameAttribute(attributeCount, attributes, name) == nullptr)
            return false;
        const bool requested = name == code_;
        openChapters_.push_back({idOf(chapters_, name), requested});
        requestDepth_ += requested ? 1 : 0;
        return true;
    }

    void categoryEnds()
    {
        requestDepth_ -= openChapters_.back().requested ? 1 : 0;
        openChapters_.pop_back();
    }

    std::size_t remedyStarts()
    {
        Open open;
        open.inRequest = requestDepth_ > 0;
        if (open.inRequest)
            open.match = matches_.remedyStarts();
        if (indexing_) {
            // Once for each distinct chapter around it, however often nested.
            open.first = listings_.size();
            listings_.push_back({openChapters_.front().id, kEmptyLine});
            for (std::size_t i = 1; i < openChapters_.size(); ++i) {
                const std::uint32_t id = openChapters_[i].id;
                const auto begin = listings_.begin() + static_cast<std::ptrdiff_t>(open.first);
                if (std::none_of(begin, listings_.end(), [id](const Listing& l) { return l.key == id; }))
                    listings_.push_back({id, kEmptyLine});
            }
            open.count = listings_.size() - open.first;
        }
        opened_.push_back(open);
        return opened_.size() - 1;
    }

    void remedyEnds(const Frame& remedy, Frame& parent, std::string_view name)
    {
        const Open open = opened_[remedy.slot];
        const std::string_view line = parent.line;
        InternedLine& interned = parent.state.line;
        if (parent.state.generation != generation_) {
            interned.reset();
            parent.state.generation = generation_;
        }
        if (open.inRequest)
            matches_.remedyEnds(open.match, name, interned, line, *pool_);
        if (indexing_ && open.count > 0) {
            if (!interned)
                interned = pool_->intern(trimmed(line));
            const std::uint32_t nameId = idOf(names_, name);
            for (std::size_t i = open.first; i < open.first + open.count; ++i) {
                Listing& listing = listings_[i];
                listing.key = keyOf(listing.key, nameId);
                listing.line = *interned;
            }
            if (++sinceCheck_ == 4096) {
                sinceCheck_ = 0;
                if (memoryEstimate() > memoryLimit_)
                    giveUp();
                if (stop_ != nullptr && *stop_)
                    stopWalk();
            }
        }
        if (remedy.slot + 1 == opened_.size())
            opened_.pop_back();
    }

private:
    static std::uint32_t idOf(RepertoryIndex::Ids& ids, std::string_view text)
    {
        if (const auto found = ids.find(text); found != ids.end())
            return found->second;
        const auto id = static_cast<std::uint32_t>(ids.size());
        ids.emplace(std::string(text), id);
        return id;
    }

    // A number for each chapter and name listed in it: by table for the few
    // chapters and names of a repertory, without hashing each listing; by
    // hash beyond, so that odd data cannot blow the table up.
    std::uint32_t keyOf(std::uint32_t chapter, std::uint32_t name)
    {
        const auto next = static_cast<std::uint32_t>(keys_.size());
        if (chapter >= kTableChapters || name >= kTableNames) {
            const auto [found, added] = otherKeys_.try_emplace(RepertoryIndex::key(chapter, name), next);
            if (added)
                keys_.push_back(RepertoryIndex::key(chapter, name));
            return found->second;
        }
        if (keyTable_.empty())
            keyTable_.assign(kTableChapters * kTableNames, kNoKey);
        std::uint32_t& key = keyTable_[chapter * kTableNames + name];
        if (key == kNoKey) {
            key = next;
            keys_.push_back(RepertoryIndex::key(chapter, name));
        }
        return key;
    }

    std::size_t memoryEstimate() const
    {
        return listings_.capacity() * sizeof(Listing) + pool_->bytes() + keys_.size() * 64 + keyTable_.size() * 4;
    }

    // Too large to keep: the rest of the pass is the request's search alone,
    // and its lines move to a pool of their own.
    void giveUp()
    {
        indexing_ = false;
        listings_ = {};
        keys_ = {};
        keyTable_ = {};
        otherKeys_ = {};
        auto old = pool_;
        pool_ = std::make_shared<LinePool>();
        matches_.moveLines(*old, *pool_);
        ++generation_;
    }

    struct OpenChapter {
        std::uint32_t id = 0;
        bool requested = false;
    };

    std::string_view code_;
    SearchMatches matches_;
    std::size_t memoryLimit_;
    const std::atomic<bool>* stop_;
    bool indexing_ = true;
    std::shared_ptr<LinePool> pool_ = std::make_shared<LinePool>();
    std::uint32_t generation_ = 0;
    std::vector<OpenChapter> openChapters_;
    std::size_t requestDepth_ = 0;
    std::vector<Open> opened_; // remedy elements begun and not yet ended
    std::vector<Listing> listings_;
    RepertoryIndex::Ids chapters_;
    RepertoryIndex::Ids names_;
    static constexpr std::uint32_t kNoKey = UINT32_MAX;
    static constexpr std::size_t kTableChapters = 8;
    static constexpr std::size_t kTableNames = 4096;
    std::vector<std::uint32_t> keyTable_; // [chapter][name]: the number in keys_
    std::unordered_map<std::uint64_t, std::uint32_t> otherKeys_;
    std::vector<std::uint64_t> keys_; // each chapter and name, by number
    std::size_t sinceCheck_ = 0;
};

IndexedPass indexRepertoryFile(const std::string& fileName, std::string_view code,
                               const std::array<std::string, kRemedyPositions>& remedies,
                               const ChosenPositions& chosen, std::size_t memoryLimit,
                               const std::atomic<bool>* stop)
{
    IndexedPass pass;
    for (int attempt = 0; attempt < kReadAttempts; ++attempt) {
        RepertoryIndexBuilder builder(code, remedies, chosen, memoryLimit, stop);
        pass.matches = RepertoryMatches{};
        pass.matches.loaded = builder.run(fileName, pass.matches.error) && (stop == nullptr || !*stop);
        pass.matches.lines = builder.pool();
        if (pass.matches.loaded) {
            pass.matches.lists = builder.lists();
            pass.index = builder.finish();
            pass.identity = builder.identity();
        }
        if (!builder.changedWhileRead())
            break;
    }
    return pass;
}

} // namespace orvex
