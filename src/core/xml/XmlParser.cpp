#include "core/xml/XmlParser.h"

#include "core/xml/ByteOrderMark.h"

#include <libxml/parserInternals.h>

#include <algorithm>
#include <climits>
#include <mutex>

namespace orvex {
namespace {

// No DOCTYPE, entity or XInclude of a data file ever reaches outside it.
xmlParserInputPtr refuseExternal(const char* /*url*/, const char* /*id*/, xmlParserCtxtPtr /*context*/)
{
    return nullptr;
}

void setUpLibrary()
{
    static std::once_flag once;
    std::call_once(once, [] {
        xmlInitParser();
        xmlSetExternalEntityLoader(refuseExternal);
        // Deeply nested data is well-formed and the parser walks it without
        // recursion; its 256-level default would refuse it.
        xmlParserMaxDepth = INT_MAX / 2;
    });
}

// XML_PARSE_HUGE stays off: it would lift the entity amplification limits.
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
    context_ = xmlCreateIOParserCtxt(const_cast<xmlSAXHandler*>(sax), nullptr, &XmlParser::read, nullptr, this,
                                     XML_CHAR_ENCODING_NONE);
    if (context_ == nullptr) {
        error_ = "there is not enough memory to load it";
        return;
    }
    context_->_private = this;
    context_->sax->serror = &XmlParser::recordError;
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

int XmlParser::read(void* parser, char* buffer, int length)
{
    auto& self = *static_cast<XmlParser*>(parser);
    const long got = self.file_->read(buffer, static_cast<std::size_t>(length));
    if (got < 0)
        return -1;
    if (self.head_.size() < kHeadSize)
        self.head_.append(buffer, std::min(static_cast<std::size_t>(got), kHeadSize - self.head_.size()));
    return static_cast<int>(got);
}

void XmlParser::recordError(void* context, xmlErrorPtr error)
{
    // Entity sub-parsers hand on their owner's _private, so this reaches the
    // XmlParser whichever parser raised the error.
    const auto* parserContext = static_cast<const xmlParserCtxt*>(context);
    if (error == nullptr || parserContext == nullptr || parserContext->_private == nullptr
        || error->level < XML_ERR_ERROR)
        return;
    auto& owner = *static_cast<XmlParser*>(parserContext->_private);
    std::string& slot = error->level == XML_ERR_FATAL   ? owner.firstFatal_
        : error->domain == XML_FROM_NAMESPACE          ? owner.firstNamespace_
                                                        : owner.firstError_;
    if (slot.empty())
        slot = describe(*error);
}

bool XmlParser::parse()
{
    if (context_ == nullptr)
        return false;
    const int status = xmlParseDocument(context_);
    // Written in place or replaced under its name while it was read: the
    // identity before and after tells, to the nanosecond where the system
    // keeps it.
    if (identity_ && (file_->identity() != identity_ || platform::identityOf(fileName_) != identity_)) {
        changed_ = true;
        identity_.reset();
        error_ = "it changed while it was being read";
        return false;
    }
    if (status == 0 && context_->wellFormed != 0 && context_->nsWellFormed != 0) {
        error_ = byteOrderMarkConflict(head_);
        if (error_.empty())
            return true;
        error_ = "it is not well-formed XML (" + error_ + ")";
        return false;
    }
    if (!firstFatal_.empty())
        error_ = firstFatal_;
    else if (!firstNamespace_.empty())
        error_ = firstNamespace_;
    else if (!firstError_.empty())
        error_ = firstError_;
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
