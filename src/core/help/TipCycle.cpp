#include "core/help/TipCycle.h"

#include "core/help/TipsFile.h"

namespace orvex {

std::size_t nextTipNumber(std::size_t current, std::size_t count)
{
    // Compared before adding: current + 1 wraps to 0 for the largest current.
    return current >= count ? 1 : current + 1;
}

bool TipCycle::load(const std::filesystem::path& tipsFile)
{
    tips_.clear();
    current_ = 0;
    auto tips = readTipsFile(tipsFile);
    if (!tips)
        return false;
    tips_ = std::move(*tips);
    current_ = 0;
    next();
    return true;
}

const std::string* TipCycle::currentTip() const
{
    if (tips_.empty() || current_ == 0 || current_ > tips_.size())
        return nullptr;
    return &tips_[current_ - 1];
}

} // namespace orvex
