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
XmlFileResult readXmlFile(const std::string& fileName);

// The one shared document: every load replaces it, every query reads it.
class CurrentDocument {
public:
    CurrentDocument();

    const pugi::xml_document& document() const { return *document_; }

private:
    friend int LoadXmlDocument(CurrentDocument& current, const std::string& fileName,
                               MessageSink& messages);
    std::unique_ptr<pugi::xml_document> document_;
};

// Replaces `current` with the file's document. Returns 0 when the file was
// loaded and parsed, 1 when not; then `current` is empty and the sink has
// been told "Load Failed" with the reason.
int LoadXmlDocument(CurrentDocument& current, const std::string& fileName, MessageSink& messages);

} // namespace orvex
