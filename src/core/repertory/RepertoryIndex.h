#pragma once

#include "core/repertory/LinePool.h"
#include "core/repertory/RepertorySearch.h"
#include "core/repertory/ResultBuilder.h"
#include "platform/files/DataFile.h"

#include <array>
#include <atomic>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace orvex {

// What one pass over the repertory learned of every chapter: for each
// chapter code and remedy name, the lines of the rubrics that list the
// remedy there, in document order, each distinct line kept once. A search
// answered from it is what searchRepertoryFile() would find in the same file.
class RepertoryIndex {
public:
    LineIdLists find(std::string_view code, const std::array<std::string, kRemedyPositions>& remedies,
                     const ChosenPositions& chosen) const;

    const std::shared_ptr<const LinePool>& lines() const { return lines_; }
    std::size_t listingCount() const { return listings_.size(); }

private:
    friend class RepertoryIndexBuilder;

    // FNV-1a: remedy names and chapter codes are a few bytes, looked up once
    // for every listing; the library's hash is built for longer keys.
    struct StringHash {
        using is_transparent = void;
        std::size_t operator()(std::string_view text) const
        {
            std::uint64_t hash = 14695981039346656037ULL;
            for (const char c : text)
                hash = (hash ^ static_cast<unsigned char>(c)) * 1099511628211ULL;
            return static_cast<std::size_t>(hash);
        }
    };
    using Ids = std::unordered_map<std::string, std::uint32_t, StringHash, std::equal_to<>>;

    static std::uint64_t key(std::uint32_t chapter, std::uint32_t name)
    {
        return (static_cast<std::uint64_t>(chapter) << 32) | name;
    }

    std::shared_ptr<const LinePool> lines_;
    Ids chapters_;
    Ids names_;
    // Where each chapter and name's lines lie in listings_: [first, second).
    std::unordered_map<std::uint64_t, std::pair<std::uint32_t, std::uint32_t>> ranges_;
    std::vector<LineId> listings_;
};

// An index of about this many bytes or more is not kept: such a repertory is
// searched by streaming, as if there were no index.
inline constexpr std::size_t kIndexMemoryLimit = std::size_t{512} << 20;

// One pass: the answer to one search, and the index of the whole file unless
// it would outgrow `memoryLimit` (then null, and the answer still stands).
struct IndexedPass {
    RepertoryMatches matches;
    std::shared_ptr<const RepertoryIndex> index;
    std::optional<platform::FileIdentity> identity; // of the version read
};

// `stop`, when given and set meanwhile, ends the pass early, unloaded.
IndexedPass indexRepertoryFile(const std::string& fileName, std::string_view code,
                               const std::array<std::string, kRemedyPositions>& remedies,
                               const ChosenPositions& chosen, std::size_t memoryLimit = kIndexMemoryLimit,
                               const std::atomic<bool>* stop = nullptr);

} // namespace orvex
