#pragma once

#include "core/MessageSink.h"
#include "core/xml/XmlParser.h"
#include "core/xml/XmlText.h"

#include <string>
#include <string_view>
#include <vector>

namespace orvex {

// The one shared document: every load replaces it, every query reads it.
// It holds the small data files (the remedy list, then the strings); the
// repertory is searched while it streams past and never kept here.
class CurrentDocument {
public:
    CurrentDocument() = default;

    // Null while empty (before the first load, or after a failed one).
    xmlDocPtr document() const { return document_.get(); }
    bool empty() const { return document_ == nullptr; }

    // A node's text as the data files mean it (see DocumentText).
    std::string_view text(const xmlNode* node) const { return text_.of(node); }
    const DocumentText& texts() const { return text_; }

    // The nodes `query` selects, in document order. `variables` are name and
    // value pairs the query refers to as $name, so that any text, quotes
    // included, is matched exactly.
    std::vector<xmlNodePtr> select(const char* query,
                                   const std::vector<std::pair<const char*, std::string>>& variables = {}) const;

    void clear();

private:
    friend int LoadXmlDocument(CurrentDocument& current, const std::string& fileName, MessageSink& messages);
    XmlDocument document_;
    DocumentText text_;
};

// Replaces `current` with the file's document. Returns 0 when the file was
// loaded and parsed, 1 when not; then `current` is empty and the sink has
// been told "Load Failed" with the reason.
int LoadXmlDocument(CurrentDocument& current, const std::string& fileName, MessageSink& messages);

} // namespace orvex
