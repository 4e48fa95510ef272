#include "core/xml/XmlParser.h"

#include "core/xml/ByteOrderMark.h"

#include <libxml/SAX2.h>
#include <libxml/parserInternals.h>
#include <libxml/xmlerror.h>

#include <algorithm>
#include <cstring>
#include <mutex>
#include <string_view>

namespace orvex {
namespace {

void setUpLibrary()
{
    static std::once_flag once;
    std::call_once(once, [] { xmlInitParser(); });
}

// XML_PARSE_HUGE stays off: it would lift the library's own limits too.
constexpr int kParseOptions = XML_PARSE_NOENT | XML_PARSE_NONET;

// Enough of the file's start to hold a byte order mark and a declaration.
constexpr std::size_t kHeadSize = 512;

std::string describe(const xmlError& error)
{
    std::string message = error.message != nullptr ? error.message : "unknown error";
    while (!message.empty() && (message.back() == '\n' || message.back() == ' '))
        message.pop_back();
    if (error.line > 0)
        message += " at line " + std::to_string(error.line) + ", column " + std::to_string(error.int2);
    return message;
}

std::string nameOf(const xmlChar* name) { return name != nullptr ? reinterpret_cast<const char*>(name) : ""; }

// Bytes per code unit, from the file's first four bytes as the library tells
// encodings apart: UTF-32 and UTF-16 (marked, or starting "<?"), else one.
std::size_t unitWidth(std::string_view start)
{
    const auto is = [start](std::string_view bytes) { return start.substr(0, bytes.size()) == bytes; };
    using namespace std::string_view_literals;
    if (is("\0\0\xFE\xFF"sv) || is("\xFF\xFE\0\0"sv) || is("\0\0\0<"sv) || is("<\0\0\0"sv))
        return 4;
    if (is("\xFE\xFF"sv) || is("\xFF\xFE"sv) || is("\0<\0?"sv) || is("<\0?\0"sv))
        return 2;
    return 1;
}

// Whether a start tag in `markup` (an entity's replacement text, which the
// library parses as content) has more than `limit` attributes: the library's
// check for repeated attributes takes time in their square.
bool tooManyAttributes(std::string_view markup, std::size_t limit)
{
    std::size_t at = 0;
    while ((at = markup.find('<', at)) != std::string_view::npos) {
        const std::string_view rest = markup.substr(at);
        const auto skipTo = [&](std::string_view end) {
            const std::size_t found = markup.find(end, at);
            at = found == std::string_view::npos ? markup.size() : found + end.size();
        };
        if (rest.substr(0, 4) == "<!--") {
            skipTo("-->");
        } else if (rest.substr(0, 9) == "<![CDATA[") {
            skipTo("]]>");
        } else if (rest.substr(0, 2) == "<?") {
            skipTo("?>");
        } else {
            std::size_t attributes = 0;
            char quote = 0;
            for (++at; at < markup.size() && (quote != 0 || markup[at] != '>'); ++at) {
                const char c = markup[at];
                if (quote != 0) {
                    if (c == quote)
                        quote = 0;
                } else if (c == '"' || c == '\'') {
                    quote = c;
                } else if (c == '=' && ++attributes > limit) {
                    return true;
                }
            }
        }
    }
    return false;
}

} // namespace

XmlParser::XmlParser(const std::string& fileName, const xmlSAXHandler* sax, void* state)
    : fileName_(fileName), state_(state)
{
    setUpLibrary();
    platform::DataFile opened = platform::DataFile::open(fileName);
    if (!opened.isOpen()) {
        error_ = opened.error();
        return;
    }
    identity_ = opened.identity();
    file_.emplace(std::move(opened));
    if (const auto identity = file_->identity())
        fileSize_ = identity->size;
    if (sax != nullptr)
        sax_ = *sax;
    else
        xmlSAXVersion(&sax_, 2);
    // The wrappers below call these on.
    xmlSAXHandler ours = sax_;
    ours.getEntity = &XmlParser::getEntity;
    ours.getParameterEntity = &XmlParser::getParameterEntity;
    ours.resolveEntity = &XmlParser::resolveEntity;
    ours.externalSubset = nullptr;
    ours.attributeDecl = &XmlParser::attributeDecl;
    ours.startElementNs = &XmlParser::startElement;
    ours.endElementNs = &XmlParser::endElement;
    ours.serror = &XmlParser::recordError;
    ours.error = nullptr;
    ours.warning = nullptr;
    context_ = xmlCreateIOParserCtxt(&ours, nullptr, &XmlParser::read, nullptr, this, XML_CHAR_ENCODING_NONE);
    if (context_ == nullptr) {
        error_ = "there is not enough memory to load it";
        return;
    }
    context_->_private = this;
    xmlCtxtUseOptions(context_, kParseOptions);
}

XmlParser::~XmlParser()
{
    if (context_ != nullptr) {
        if (context_->myDoc != nullptr)
            xmlFreeDoc(context_->myDoc);
        xmlFreeParserCtxt(context_);
    }
}

void XmlParser::refuse(xmlParserCtxtPtr context, const std::string& reason)
{
    stopped_ = true;
    if (reason_.empty() && !reason.empty()) {
        reason_ = reason;
        reasonIsOurs_ = true;
    }
    if (context_ != nullptr)
        context_->wellFormed = 0;
    if (context == nullptr)
        return; // from read(): the parser stops at the failed read
    context->wellFormed = 0;
    xmlStopParser(context);
    if (context_ != nullptr && context_ != context) {
        // An entity parsed by a context of its own: the document's context
        // waits below it, and must not lose its input yet.
#if LIBXML_VERSION < 21200
        context_->instate = XML_PARSER_EOF;
        context_->disableSAX = 1;
#else
        xmlStopParser(context_);
#endif
    }
}

int XmlParser::read(void* parser, char* buffer, int capacity)
{
    auto& self = *static_cast<XmlParser*>(parser);
    // After the first error the load has failed: libxml2 2.9 would read on
    // to report more, and some of its recovery takes time without bound.
    if (self.stopped_ || (self.context_ != nullptr && self.context_->wellFormed == 0))
        return -1;
    const long got = self.file_->read(buffer, static_cast<std::size_t>(capacity));
    if (got < 0) {
        self.refuse(nullptr, "it could not be read (" + self.file_->error() + ")");
        return -1;
    }
    std::size_t length = static_cast<std::size_t>(got);
    if (self.bytesRead_ == 0 && length >= 4 && unitWidth({buffer, 4}) == 4 && buffer[0] != '<' && buffer[3] != '<') {
        // libxml2 2.9 knows UTF-32 by its first character but keeps a byte
        // order mark as content: without the mark the file reads the same.
        std::memmove(buffer, buffer + 4, length - 4);
        length -= 4;
    }
    if (self.head_.size() < kHeadSize)
        self.head_.append(buffer, std::min(length, kHeadSize - self.head_.size()));
    if (!self.checkBytes(buffer, length))
        return -1;
    self.documentLine();
#if LIBXML_VERSION < 21200
    // Before 2.12 the library checks an element's attributes for repeats in
    // time of their number squared, before any callback: the room it has
    // made for them (five slots each, grown twofold) tells, and it asks for
    // more input within a start tag.
    if (self.context_ != nullptr && static_cast<std::size_t>(self.context_->maxatts) > 20 * kMaxAttributes) {
        self.refuse(nullptr, "an element has more than " + std::to_string(kMaxAttributes) + " attributes");
        return -1;
    }
#endif
    return static_cast<int>(length);
}

// libxml2 takes a NUL for the end of the input: whatever followed would go
// unread. A NUL character is a code unit of zero bytes.
bool XmlParser::checkBytes(const char* bytes, std::size_t length)
{
    if (unitWidth_ == 0 && (head_.size() >= 4 || length == 0))
        unitWidth_ = unitWidth(head_);
    const std::size_t width = unitWidth_ == 0 ? 1 : unitWidth_;
    bool nul = false;
    if (width == 1) {
        nul = std::memchr(bytes, 0, length) != nullptr;
    } else {
        for (std::size_t i = 0; i < length && !nul; ++i) {
            if ((bytesRead_ + i) % width == 0)
                zeroBytes_ = 0;
            if (bytes[i] == 0)
                nul = ++zeroBytes_ == width;
        }
    }
    bytesRead_ += length;
    if (nul)
        refuse(nullptr, "it contains a NUL character");
    return !nul;
}

std::uint64_t XmlParser::documentLine()
{
    if (context_ == nullptr || context_->inputNr < 1 || context_->inputTab[0] == nullptr)
        return line_;
    const auto now = static_cast<std::uint32_t>(context_->inputTab[0]->line);
    line_ += static_cast<std::uint32_t>(now - libraryLine_);
    libraryLine_ = now;
    return line_;
}

std::uint64_t XmlParser::lineOf(void* context)
{
    auto* parserContext = static_cast<xmlParserCtxtPtr>(context);
    XmlParser& self = owner(context);
    if (parserContext == self.context_ && parserContext->inputNr == 1)
        return self.documentLine();
    return parserContext->input != nullptr ? static_cast<std::uint32_t>(parserContext->input->line) : 0;
}

std::uint64_t XmlParser::lineOf(const xmlNode* element)
{
    // Past 65,535 the tree's own 16 bits are full; startElement() keeps the line.
    if (element->type == XML_ELEMENT_NODE && element->line == 65535 && element->psvi != nullptr)
        return reinterpret_cast<std::uintptr_t>(element->psvi);
    const long line = xmlGetLineNo(element);
    return line > 0 ? static_cast<std::uint64_t>(line) : 0;
}

void XmlParser::startElement(void* context, const xmlChar* localName, const xmlChar* prefix, const xmlChar* uri,
                             int namespaceCount, const xmlChar** namespaces, int attributeCount, int defaulted,
                             const xmlChar** attributes)
{
    auto* parserContext = static_cast<xmlParserCtxtPtr>(context);
    XmlParser& self = owner(context);
    if (++self.depth_ > kMaxDepth) {
        self.refuse(parserContext, "its elements nest more than " + std::to_string(kMaxDepth) + " deep");
        return;
    }
    if (static_cast<std::size_t>(attributeCount) > kMaxAttributes) {
        self.refuse(parserContext, "an element has more than " + std::to_string(kMaxAttributes) + " attributes");
        return;
    }
    if (self.sax_.startElementNs == nullptr)
        return;
    self.sax_.startElementNs(context, localName, prefix, uri, namespaceCount, namespaces, attributeCount, defaulted,
                             attributes);
    if (self.sax_.startElementNs == &xmlSAX2StartElementNs && parserContext->node != nullptr
        && parserContext->node->line == 65535) {
        const std::uint64_t line = lineOf(context);
        // NOLINTNEXTLINE(performance-no-int-to-ptr): the node has no other room for it
        parserContext->node->psvi = reinterpret_cast<void*>(static_cast<std::uintptr_t>(line));
    }
}

void XmlParser::endElement(void* context, const xmlChar* localName, const xmlChar* prefix, const xmlChar* uri)
{
    XmlParser& self = owner(context);
    --self.depth_;
    if (self.sax_.endElementNs != nullptr)
        self.sax_.endElementNs(context, localName, prefix, uri);
}

void XmlParser::attributeDecl(void* context, const xmlChar* element, const xmlChar* name, int type, int def,
                              const xmlChar* defaultValue, xmlEnumerationPtr tree)
{
    XmlParser& self = owner(context);
    if (++self.declaredAttributes_[nameOf(element)] > kMaxAttributes) {
        xmlFreeEnumeration(tree);
        self.refuse(static_cast<xmlParserCtxtPtr>(context),
                    "it declares more than " + std::to_string(kMaxAttributes) + " attributes for the element "
                        + nameOf(element));
        return;
    }
    if (self.sax_.attributeDecl != nullptr)
        self.sax_.attributeDecl(context, element, name, type, def, defaultValue, tree);
    else
        xmlFreeEnumeration(tree);
}

// Every reference to a general or parameter entity asks for it here, and
// every one is expanded anew (the library re-expands them in SAX mode).
xmlEntityPtr XmlParser::expand(xmlParserCtxtPtr context, const xmlChar* name, xmlEntityPtr entity)
{
    if (stopped_ || context->wellFormed == 0 || context_->wellFormed == 0) {
        refuse(context, {}); // the first error stands
        return nullptr;
    }
    if (entity == nullptr) {
        // Left undeclared, the library would warn and drop the reference.
        refuse(context, "it refers to the entity " + nameOf(name) + ", which it does not declare");
        return nullptr;
    }
    if (entity->etype == XML_EXTERNAL_GENERAL_PARSED_ENTITY || entity->etype == XML_EXTERNAL_GENERAL_UNPARSED_ENTITY
        || entity->etype == XML_EXTERNAL_PARAMETER_ENTITY) {
        refuse(context, "it refers to the external entity " + nameOf(name)
                            + ", and data files are never read from elsewhere");
        return nullptr;
    }
    const std::uint64_t budget = kExpansionAllowance + kExpansionFactor * std::max(fileSize_, bytesRead_);
    expanded_ += static_cast<std::uint64_t>(entity->length > 0 ? entity->length : 0) + kExpansionCost;
    if (expanded_ > budget) {
        refuse(context, "its entities expand to more than " + std::to_string(budget) + " bytes");
        return nullptr;
    }
    if (entity->content != nullptr && entity->etype == XML_INTERNAL_GENERAL_ENTITY
        && tooManyAttributes(reinterpret_cast<const char*>(entity->content), kMaxAttributes)) {
        refuse(context, "an element has more than " + std::to_string(kMaxAttributes) + " attributes");
        return nullptr;
    }
    return entity;
}

xmlEntityPtr XmlParser::getEntity(void* context, const xmlChar* name)
{
    return owner(context).expand(static_cast<xmlParserCtxtPtr>(context), name, xmlSAX2GetEntity(context, name));
}

xmlEntityPtr XmlParser::getParameterEntity(void* context, const xmlChar* name)
{
    return owner(context).expand(static_cast<xmlParserCtxtPtr>(context), name,
                                 xmlSAX2GetParameterEntity(context, name));
}

// Asked for an external DTD or entity: there is none to be had.
xmlParserInputPtr XmlParser::resolveEntity(void* context, const xmlChar* /*publicId*/, const xmlChar* systemId)
{
    owner(context).refuse(static_cast<xmlParserCtxtPtr>(context),
                          "it refers to " + nameOf(systemId) + ", and data files are never read from elsewhere");
    return nullptr;
}

void XmlParser::record(const xmlError& error)
{
    std::string& slot = error.level >= XML_ERR_ERROR ? reason_ : firstWarning_;
    if (slot.empty())
        slot = describe(error);
}

template <typename Error>
void XmlParser::recordError(void* context, Error error)
{
    // Entity sub-parsers hand on their owner's _private, so this reaches the
    // XmlParser whichever parser raised the error.
    const auto* parserContext = static_cast<const xmlParserCtxt*>(context);
    if (error != nullptr && parserContext != nullptr && parserContext->_private != nullptr)
        owner(const_cast<xmlParserCtxt*>(parserContext)).record(*error);
}

// Errors raised outside a parser context (encodings, input) come here
// while this parser runs, instead of the standard error stream.
template <typename Error>
void XmlParser::recordGlobalError(void* parser, Error error)
{
    if (error != nullptr)
        static_cast<XmlParser*>(parser)->record(*error);
}

void XmlParser::ignoreMessage(void* /*context*/, const char* /*format*/, ...) {}

bool XmlParser::parse()
{
    if (context_ == nullptr)
        return false;
    xmlSetStructuredErrorFunc(this, &XmlParser::recordGlobalError);
    xmlSetGenericErrorFunc(this, &XmlParser::ignoreMessage);
    const int status = xmlParseDocument(context_);
    xmlSetStructuredErrorFunc(nullptr, nullptr);
    xmlSetGenericErrorFunc(nullptr, nullptr);
    // Written in place or replaced under its name while it was read: the
    // identity before and after tells, to the nanosecond where the system
    // keeps it.
    if (identity_ && (file_->identity() != identity_ || platform::identityOf(fileName_) != identity_)) {
        changed_ = true;
        identity_.reset();
        error_ = "it changed while it was being read";
        return false;
    }
    if (status == 0 && !stopped_ && context_->wellFormed != 0 && context_->nsWellFormed != 0) {
        error_ = byteOrderMarkConflict(head_);
        if (error_.empty())
            return true;
        error_ = "it is not well-formed XML (" + error_ + ")";
        return false;
    }
    if (reasonIsOurs_) {
        error_ = reason_;
        return false;
    }
    if (!reason_.empty())
        error_ = reason_;
    else if (!firstWarning_.empty())
        error_ = firstWarning_;
    else
        error_ = "the parser gave up";
    error_ = "it is not well-formed XML (" + error_ + ")";
    return false;
}

xmlDocPtr XmlParser::takeDocument()
{
    if (context_ == nullptr)
        return nullptr;
    xmlDocPtr document = context_->myDoc;
    context_->myDoc = nullptr;
    return document;
}

} // namespace orvex
