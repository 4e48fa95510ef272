#pragma once

#include "platform/files/DataFile.h"

#include <libxml/parser.h>

#include <optional>
#include <memory>
#include <string>

namespace orvex {

// A file that changes while it is read is read again this often before its
// load fails.
inline constexpr int kReadAttempts = 3;

// One data file read through libxml2 with the same rules for every file:
// XML 1.0 well-formedness, namespaces included; predefined and internal
// entities expanded; nothing outside the file ever fetched (no external DTD,
// no external entity, no network); the library's amplification limits on.
class XmlParser {
public:
    // Opens `fileName` for parsing. `sax` null builds a document tree;
    // otherwise its callbacks receive a parser context whose `_private` is
    // this parser (also inside expanded entities): see stateOf().
    XmlParser(const std::string& fileName, const xmlSAXHandler* sax = nullptr, void* state = nullptr);
    ~XmlParser();
    XmlParser(const XmlParser&) = delete;
    XmlParser& operator=(const XmlParser&) = delete;

    // Parses the whole file. True when it is well-formed; otherwise error()
    // says why in one sentence.
    bool parse();

    const std::string& error() const { return error_; }

    // The file was rewritten or replaced while it was read: what came out is
    // neither version, so parse() failed; reading it again may succeed.
    bool changedWhileRead() const { return changed_; }

    // The identity of the version read, once parse() has succeeded.
    const std::optional<platform::FileIdentity>& identity() const { return identity_; }

    // The `state` given to the constructor, from a SAX callback's context.
    static void* stateOf(void* context)
    {
        return static_cast<XmlParser*>(static_cast<xmlParserCtxtPtr>(context)->_private)->state_;
    }

    // The tree built by a parse without SAX callbacks; null after a failure.
    xmlDocPtr takeDocument();

private:
    static int read(void* parser, char* buffer, int length);
    static void recordError(void* context, xmlErrorPtr error);

    std::string fileName_;
    std::optional<platform::DataFile> file_;
    std::optional<platform::FileIdentity> identity_;
    bool changed_ = false;
    xmlParserCtxtPtr context_ = nullptr;
    void* state_ = nullptr;
    std::string head_; // the file's first bytes, for byteOrderMarkConflict()
    std::string error_;
    std::string firstFatal_;
    std::string firstNamespace_;
    std::string firstError_;
};

struct XmlDocFree {
    void operator()(xmlDocPtr document) const { xmlFreeDoc(document); }
};
using XmlDocument = std::unique_ptr<xmlDoc, XmlDocFree>;

} // namespace orvex
