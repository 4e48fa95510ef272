#include "core/xml/XmlText.h"

#include <algorithm>

#include <cstdint>
#include <cstring>

namespace orvex {
namespace {

// A plain test: find_first_not_of() runs a memchr() over the set for every
// character, and the repertory pass asks this of every run of text.
bool isXmlSpace(char c) { return c == ' ' || c == '\n' || c == '\t' || c == '\r'; }

std::string_view contentOf(const xmlNode* node)
{
    return node->content != nullptr ? std::string_view(reinterpret_cast<const char*>(node->content)) : std::string_view();
}

bool isBlankText(const xmlNode* node)
{
    return node->type == XML_TEXT_NODE && isXmlSpaceOnly(contentOf(node));
}

} // namespace

bool isXmlSpaceOnly(std::string_view text)
{
    // A loop, not std::all_of over a function pointer, which the compiler
    // does not always inline.
    for (const char c : text) {
        if (!isXmlSpace(c))
            return false;
    }
    return true;
}

DocumentText::DocumentText(xmlDocPtr document)
{
    if (document == nullptr)
        return;
    // Iterative: data files may nest deeper than the stack allows.
    xmlNodePtr node = document->children;
    while (node != nullptr) {
        if (isBlankText(node)) {
            xmlNodePtr next = node->next;
            xmlNodePtr parent = node->parent;
            xmlUnlinkNode(node);
            xmlFreeNode(node);
            if (next != nullptr) {
                node = next;
                continue;
            }
            node = parent; // climb out below, as after a last child
        } else {
            if (node->type == XML_TEXT_NODE || node->type == XML_CDATA_SECTION_NODE)
                buffer_ += contentOf(node);
            if (node->type == XML_ELEMENT_NODE) {
                ranges_.emplace_back(buffer_.size(), buffer_.size());
                // The slot holds a number, never dereferenced: the element's range.
                node->_private = reinterpret_cast<void*>( // NOLINT(performance-no-int-to-ptr)
                    static_cast<std::uintptr_t>(ranges_.size()));
                if (node->children != nullptr) {
                    node = node->children;
                    continue;
                }
            }
            if (node->next != nullptr && node->type != XML_ELEMENT_NODE) {
                node = node->next;
                continue;
            }
        }
        // `node` is finished: close it and every ancestor that has no next sibling.
        while (node != nullptr && node->type != XML_DOCUMENT_NODE) {
            if (node->type == XML_ELEMENT_NODE)
                ranges_[reinterpret_cast<std::uintptr_t>(node->_private) - 1].second = buffer_.size();
            if (node->next != nullptr) {
                node = node->next;
                break;
            }
            node = node->parent;
        }
        if (node != nullptr && node->type == XML_DOCUMENT_NODE)
            break;
    }
}

std::pair<std::size_t, std::size_t> DocumentText::rangeOf(const xmlNode* element) const
{
    const auto index = reinterpret_cast<std::uintptr_t>(element->_private);
    if (element->type != XML_ELEMENT_NODE || index == 0 || index > ranges_.size())
        return {0, 0};
    return ranges_[index - 1];
}

std::string_view DocumentText::of(const xmlNode* node) const
{
    if (node == nullptr)
        return {};
    switch (node->type) {
    case XML_TEXT_NODE:
    case XML_CDATA_SECTION_NODE:
    case XML_COMMENT_NODE:
    case XML_PI_NODE:
        return contentOf(node);
    case XML_ELEMENT_NODE: {
        const auto [first, last] = rangeOf(node);
        return std::string_view(buffer_).substr(first, last - first);
    }
    case XML_DOCUMENT_NODE:
        return buffer_;
    default:
        return {};
    }
}

} // namespace orvex
