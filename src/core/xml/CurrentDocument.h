#pragma once

#include "MessageSink.h"

#include <pugixml.hpp>

#include <memory>
#include <string>

namespace orvex {

// Reads and parses one XML file. Never throws; on failure the document is
// empty and `error` says why ("cannot open file", "unexpected end of data at
// line 3", ...).
struct XmlFileResult {
    std::unique_ptr<pugi::xml_document> document;
    std::string error; // empty on success
    bool ok() const { return error.empty(); }
};
// How text is kept. Compact stores text that opens an element in the
// element's own value instead of a node of its own: the same content in
// far less memory, for the full-size repertory. nodeText() and the
// repertory scan read both forms alike; XPath queries need Separate.
enum class XmlTextNodes { Separate, Compact };

XmlFileResult readXmlFile(const std::string& fileName, XmlTextNodes text = XmlTextNodes::Separate);

// The one shared document: every load replaces it, every query reads it.
class CurrentDocument {
public:
    CurrentDocument();

    const pugi::xml_document& document() const { return *document_; }

private:
    friend int LoadXmlDocument(CurrentDocument& current, const std::string& fileName,
                               MessageSink& messages, XmlTextNodes text);
    std::unique_ptr<pugi::xml_document> document_;
};

// Replaces `current` with the file's document. Returns 0 when the file was
// loaded and parsed, 1 when not; then `current` is empty and the sink has
// been told "Load Failed" with the reason.
int LoadXmlDocument(CurrentDocument& current, const std::string& fileName, MessageSink& messages,
                    XmlTextNodes text = XmlTextNodes::Separate);

} // namespace orvex
