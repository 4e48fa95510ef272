#include "core/repertory/IndexedRepertory.h"

namespace orvex {

IndexedRepertory::~IndexedRepertory()
{
    if (building_.valid()) {
        *stopBuilding_ = true;
        building_.wait();
    }
}

RepertoryMatches IndexedRepertory::search(const std::string& fileName, std::string_view code,
                                          const std::array<std::string, kRemedyPositions>& remedies,
                                          const ChosenPositions& chosen)
{
    const std::optional<platform::FileIdentity> now = platform::identityOf(fileName);
    adoptBuilt();
    if (now && now == identity_) {
        if (!index_)
            return searchRepertoryFile(fileName, code, remedies, chosen);
        RepertoryMatches matches;
        matches.loaded = true;
        matches.lines = index_->lines();
        matches.lists = index_->find(code, remedies, chosen);
        return matches;
    }
    // Gone before the new pass, so two indexes never sit in memory together.
    index_.reset();
    identity_.reset();
    RepertoryMatches matches = searchRepertoryFile(fileName, code, remedies, chosen);
    if (matches.loaded)
        startBuilding(fileName);
    return matches;
}

bool IndexedRepertory::holdsIndex()
{
    adoptBuilt();
    return index_ != nullptr;
}

void IndexedRepertory::startBuilding(const std::string& fileName)
{
    stopBuilding_ = std::make_shared<std::atomic<bool>>(false);
    building_ = std::async(std::launch::async, [fileName, limit = memoryLimit_, stop = stopBuilding_] {
        return indexRepertoryFile(fileName, {}, {}, {false, false, false}, limit, stop.get());
    });
}

// The index records the identity of the version it read, which need not be
// the version the first search streamed: the next search compares it with
// the file as it is then.
void IndexedRepertory::adoptBuilt()
{
    if (!building_.valid())
        return;
    IndexedPass pass = building_.get();
    if (pass.matches.loaded) {
        identity_ = pass.identity;
        index_ = std::move(pass.index);
    }
}

} // namespace orvex
