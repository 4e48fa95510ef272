#include "core/repertory/IndexedRepertory.h"

namespace orvex {

RepertoryMatches IndexedRepertory::search(const std::string& fileName, std::string_view code,
                                          const std::array<std::string, kRemedyPositions>& remedies,
                                          const ChosenPositions& chosen)
{
    const std::optional<platform::FileIdentity> now = platform::identityOf(fileName);
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
    IndexedPass pass = indexRepertoryFile(fileName, code, remedies, chosen, memoryLimit_);
    if (pass.matches.loaded) {
        identity_ = pass.identity;
        index_ = std::move(pass.index);
    }
    return std::move(pass.matches);
}

} // namespace orvex
