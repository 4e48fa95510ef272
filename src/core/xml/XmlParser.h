#pragma once

#include "platform/files/DataFile.h"

#include <libxml/parser.h>

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <unordered_map>

namespace orvex {

// A file that changes while it is read is read again this often before its
// load fails.
inline constexpr int kReadAttempts = 3;

// One data file read through libxml2 with the same rules for every file:
// XML 1.0 well-formedness, namespaces included; predefined and internal
// entities expanded; nothing a file names outside itself ever touched (no
// external DTD or entity, no path looked at, no network). Limits of our own,
// the same whatever the library's version, refuse what no data file needs
// and what would cost time or memory out of all proportion to the file:
class XmlParser {
public:
    // Elements open at once.
    static constexpr std::size_t kMaxDepth = 256;
    // Attributes one element has, written or declared with a default.
    static constexpr std::size_t kMaxAttributes = 1000;
    // Text that entity references may produce, all expansions together:
    // this much plus kExpansionFactor times the file's size; every expansion
    // costs its replacement text's length plus kExpansionCost.
    static constexpr std::uint64_t kExpansionAllowance = 1U << 20U;
    static constexpr std::uint64_t kExpansionFactor = 10;
    static constexpr std::uint64_t kExpansionCost = 64;

    // Opens `fileName` for parsing. `sax` null builds a document tree;
    // otherwise its callbacks receive a parser context whose `_private` is
    // this parser (also inside expanded entities): see stateOf().
    XmlParser(const std::string& fileName, const xmlSAXHandler* sax = nullptr, void* state = nullptr);
    ~XmlParser();
    XmlParser(const XmlParser&) = delete;
    XmlParser& operator=(const XmlParser&) = delete;

    // Parses the whole file. True when it is well-formed and within the
    // limits; otherwise error() says why in one sentence.
    bool parse();

    const std::string& error() const { return error_; }

    // The file was rewritten or replaced while it was read: what came out is
    // neither version, so parse() failed; reading it again may succeed.
    bool changedWhileRead() const { return changed_; }

    // The identity of the version read, once parse() has succeeded.
    const std::optional<platform::FileIdentity>& identity() const { return identity_; }

    // The `state` given to the constructor, from a SAX callback's context.
    static void* stateOf(void* context) { return owner(context).state_; }

    // The line of the file the parser has reached, from a SAX callback's
    // context; counted in 64 bits (the library's count wraps at 2^32).
    static std::uint64_t lineOf(void* context);

    // The line an element of a tree built by this class starts on.
    static std::uint64_t lineOf(const xmlNode* element);

    // The tree built by a parse without SAX callbacks; null after a failure.
    xmlDocPtr takeDocument();

private:
    static XmlParser& owner(void* context)
    {
        return *static_cast<XmlParser*>(static_cast<xmlParserCtxtPtr>(context)->_private);
    }
    static int read(void* parser, char* buffer, int length);
    template <typename Error>
    static void recordError(void* context, Error error);
    template <typename Error>
    static void recordGlobalError(void* parser, Error error);
    static void ignoreMessage(void* context, const char* format, ...);
    static xmlEntityPtr getEntity(void* context, const xmlChar* name);
    static xmlEntityPtr getParameterEntity(void* context, const xmlChar* name);
    static xmlParserInputPtr resolveEntity(void* context, const xmlChar* publicId, const xmlChar* systemId);
    static void attributeDecl(void* context, const xmlChar* element, const xmlChar* name, int type, int def,
                              const xmlChar* defaultValue, xmlEnumerationPtr tree);
    static void startElement(void* context, const xmlChar* localName, const xmlChar* prefix, const xmlChar* uri,
                             int namespaceCount, const xmlChar** namespaces, int attributeCount, int defaulted,
                             const xmlChar** attributes);
    static void endElement(void* context, const xmlChar* localName, const xmlChar* prefix, const xmlChar* uri);

    void record(const xmlError& error);
    // Stops the parse for good, with `reason` as the error unless one was given before.
    void refuse(xmlParserCtxtPtr context, const std::string& reason);
    xmlEntityPtr expand(xmlParserCtxtPtr context, const xmlChar* name, xmlEntityPtr entity);
    bool checkBytes(const char* bytes, std::size_t length);
    std::uint64_t documentLine();

    std::string fileName_;
    std::optional<platform::DataFile> file_;
    std::optional<platform::FileIdentity> identity_;
    bool changed_ = false;
    xmlParserCtxtPtr context_ = nullptr;
    xmlSAXHandler sax_{}; // the callbacks wrapped below, as given or the tree builder's
    void* state_ = nullptr;
    std::string head_; // the file's first bytes, for byteOrderMarkConflict()
    std::string error_;
    std::string reason_;       // the first error, the library's or our own rules'
    bool reasonIsOurs_ = false;
    bool stopped_ = false;     // our rules stopped the parse
    std::string firstWarning_; // the library's first warning
    std::uint64_t fileSize_ = 0;
    std::uint64_t bytesRead_ = 0;
    std::uint64_t expanded_ = 0;
    std::size_t unitWidth_ = 0; // bytes per code unit, once known: a NUL is a unit of zero bytes
    std::size_t zeroBytes_ = 0; // zero bytes in the current code unit so far
    std::size_t depth_ = 0;
    std::unordered_map<std::string, std::size_t> declaredAttributes_;
    std::uint64_t line_ = 1;
    std::uint32_t libraryLine_ = 1;
};

struct XmlDocFree {
    void operator()(xmlDocPtr document) const { xmlFreeDoc(document); }
};
using XmlDocument = std::unique_ptr<xmlDoc, XmlDocFree>;

} // namespace orvex
