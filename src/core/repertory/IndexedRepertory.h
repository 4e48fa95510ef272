#pragma once

#include "core/repertory/RepertoryIndex.h"
#include "core/repertory/RepertorySearch.h"

#include <atomic>
#include <future>
#include <memory>
#include <optional>
#include <string>

namespace orvex {

// The repertory as the window searches it again and again. A search of a
// file not seen before (or changed since) streams it as a single search
// does, so the first answer comes as fast as ever; meanwhile a worker reads
// the file once more and indexes it. Later searches are answered from that
// index (waiting for it if it is still being built) for as long as the file
// is the same file, unchanged (same identity: device and file number, size,
// modification and status-change times). Anything else reads the file
// again, so a repertory changed on disk shows at the next search, and one
// that fails to load is never answered from an older index. A repertory too
// large to index is streamed each time.
class IndexedRepertory {
public:
    explicit IndexedRepertory(std::size_t memoryLimit = kIndexMemoryLimit) : memoryLimit_(memoryLimit) {}
    ~IndexedRepertory();
    IndexedRepertory(const IndexedRepertory&) = delete;
    IndexedRepertory& operator=(const IndexedRepertory&) = delete;

    RepertoryMatches search(const std::string& fileName, std::string_view code,
                            const std::array<std::string, kRemedyPositions>& remedies,
                            const ChosenPositions& chosen);

    // Whether an index is there to answer the next search of an unchanged
    // file; waits for one being built.
    bool holdsIndex();

private:
    void startBuilding(const std::string& fileName);
    void adoptBuilt();

    std::size_t memoryLimit_;
    std::optional<platform::FileIdentity> identity_; // of the version indexed, or found too large
    std::shared_ptr<const RepertoryIndex> index_;
    std::future<IndexedPass> building_;
    std::shared_ptr<std::atomic<bool>> stopBuilding_;
};

} // namespace orvex
