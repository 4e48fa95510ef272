#include "core/print/PageLayout.h"

namespace orvex {
namespace {

// Heights are sums of font metrics; a line that fits exactly must not be
// pushed to the next page by rounding.
constexpr double kTolerance = 1e-6;

} // namespace

PageLayout::PageLayout(double printableHeight) : height_(printableHeight) {}

LinePlacement PageLayout::place(double lineHeight)
{
    if (top_ > 0.0 && top_ + lineHeight > height_ + kTolerance) {
        ++page_;
        top_ = 0.0;
    }
    const LinePlacement placement{page_, top_};
    top_ += lineHeight;
    return placement;
}

} // namespace orvex
