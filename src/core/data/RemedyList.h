#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace orvex {

class CurrentDocument;

// The remedy list, opened by bare name from the current directory.
inline constexpr const char* kRemedyListFileName = "remedy.xml";

// The text a remedy picker shows when no remedy is chosen in its position.
inline constexpr const char* kNoRemedy = "....";

// The remedy names, each a stretch of one shared text: a name holding other
// `remedy` elements costs no copy of theirs.
class RemedyNames {
public:
    RemedyNames() = default;
    RemedyNames(std::string text, std::vector<std::pair<std::size_t, std::size_t>> ranges)
        : text_(std::move(text)), ranges_(std::move(ranges))
    {
    }

    std::size_t size() const { return ranges_.size(); }
    std::string_view operator[](std::size_t i) const
    {
        return std::string_view(text_).substr(ranges_[i].first, ranges_[i].second - ranges_[i].first);
    }
    const std::string& text() const { return text_; }
    // [begin, end) of each name in text(), in list order.
    const std::vector<std::pair<std::size_t, std::size_t>>& ranges() const { return ranges_; }

    std::vector<std::string> toStrings() const;

private:
    std::string text_;
    std::vector<std::pair<std::size_t, std::size_t>> ranges_;
};

// The remedy picker entries of a remedy list document: the full text of every
// `remedy` element at any depth ("//remedy"), in document order. Nothing is
// sorted, trimmed or dropped, so duplicates and empty names stay.
RemedyNames remedyPickerEntries(const CurrentDocument& current);

} // namespace orvex
