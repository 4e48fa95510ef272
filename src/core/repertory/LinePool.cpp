#include "core/repertory/LinePool.h"

#include <limits>
#include <stdexcept>

namespace orvex {

LineId LinePool::intern(std::string_view text)
{
    if (const auto found = index_.find(text); found != index_.end())
        return found->second;
    if (texts_.size() >= std::numeric_limits<LineId>::max())
        throw std::length_error("too many distinct result lines");
    const auto id = static_cast<LineId>(texts_.size());
    const std::string& stored = texts_.emplace_back(text);
    index_.emplace(stored, id);
    textBytes_ += text.size();
    return id;
}

} // namespace orvex
