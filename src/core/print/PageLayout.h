#pragma once

#include <cstddef>

namespace orvex {

// Where one printed line goes: its page (0-based) and the distance of its top
// from the top of the printable area, in points.
struct LinePlacement {
    std::size_t page = 0;
    double top = 0.0;

    friend bool operator==(const LinePlacement&, const LinePlacement&) = default;
};

// Stacks lines down the printable area and starts a new page when a line
// would not fit above its bottom. A line taller than a whole page still goes
// on a page of its own rather than leaving empty pages behind.
class PageLayout {
public:
    explicit PageLayout(double printableHeight);

    LinePlacement place(double lineHeight);

    // Pages begun so far; 1 before the first line, as a document has a page.
    std::size_t pageCount() const { return page_ + 1; }

private:
    double height_;
    std::size_t page_ = 0;
    double top_ = 0.0;
};

} // namespace orvex
