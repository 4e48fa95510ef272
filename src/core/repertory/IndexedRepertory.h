#pragma once

#include "core/repertory/RepertoryIndex.h"
#include "core/repertory/RepertorySearch.h"

#include <memory>
#include <optional>
#include <string>

namespace orvex {

// The repertory as the window searches it again and again: the first search
// reads the whole file and keeps its index; later searches are answered from
// the index for as long as the file is the same file, unchanged (same
// identity: device and file number, size, modification and status-change
// times). Anything else reads the file again, so a repertory changed on disk
// shows at the next search, and one that fails to load is never answered
// from an older index. A repertory too large to index is streamed each time.
class IndexedRepertory {
public:
    explicit IndexedRepertory(std::size_t memoryLimit = kIndexMemoryLimit) : memoryLimit_(memoryLimit) {}

    RepertoryMatches search(const std::string& fileName, std::string_view code,
                            const std::array<std::string, kRemedyPositions>& remedies,
                            const ChosenPositions& chosen);

    // Whether the last search left an index to answer the next one.
    bool holdsIndex() const { return index_ != nullptr; }

private:
    std::size_t memoryLimit_;
    std::optional<platform::FileIdentity> identity_; // of the version indexed, or found too large
    std::shared_ptr<const RepertoryIndex> index_;
};

} // namespace orvex
