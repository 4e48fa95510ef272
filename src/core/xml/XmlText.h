#pragma once

#include <libxml/tree.h>

#include <cstddef>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace orvex {

// True for text that is XML white space only: such text between elements is
// no node in the data files' rules.
bool isXmlSpaceOnly(std::string_view text);

// The texts of a parsed document as the data files mean them, worked out in
// one pass: an element's text is all text and CDATA within it in document
// order, which is one stretch of the document's text laid end to end. So
// every element's text is a view into one buffer, however deeply elements
// nest. Building it also drops the white-space-only text nodes, so that the
// tree and any XPath query on it see the nodes the data files' rules count.
class DocumentText {
public:
    DocumentText() = default;
    explicit DocumentText(xmlDocPtr document);

    // Text, CDATA, comment and processing-instruction nodes give their own
    // characters; an element (or the document) all text within it.
    std::string_view of(const xmlNode* node) const;

    const std::string& buffer() const { return buffer_; }
    // Where an element's text lies in buffer(): [first, second).
    std::pair<std::size_t, std::size_t> rangeOf(const xmlNode* element) const;

private:
    std::string buffer_;
    std::vector<std::pair<std::size_t, std::size_t>> ranges_; // per element, via its _private
};

} // namespace orvex
