#include "core/xml/CurrentDocument.h"

#include <libxml/xpath.h>
#include <libxml/xpathInternals.h>

#include <memory>

namespace orvex {
namespace {

struct XPathContextFree {
    void operator()(xmlXPathContextPtr context) const { xmlXPathFreeContext(context); }
};
struct XPathObjectFree {
    void operator()(xmlXPathObjectPtr object) const { xmlXPathFreeObject(object); }
};

const xmlChar* xml(const char* text) { return reinterpret_cast<const xmlChar*>(text); }

} // namespace

std::vector<xmlNodePtr> CurrentDocument::select(const char* query,
                                                const std::vector<std::pair<const char*, std::string>>& variables) const
{
    std::vector<xmlNodePtr> nodes;
    if (!document_)
        return nodes;
    const std::unique_ptr<xmlXPathContext, XPathContextFree> context(xmlXPathNewContext(document_.get()));
    if (!context)
        return nodes;
    for (const auto& [name, value] : variables)
        xmlXPathRegisterVariable(context.get(), xml(name), xmlXPathNewString(xml(value.c_str())));
    const std::unique_ptr<xmlXPathObject, XPathObjectFree> found(xmlXPathEvalExpression(xml(query), context.get()));
    if (found && found->type == XPATH_NODESET && found->nodesetval != nullptr) {
        const xmlNodeSet& set = *found->nodesetval;
        nodes.assign(set.nodeTab, set.nodeTab + set.nodeNr);
    }
    return nodes;
}

void CurrentDocument::clear()
{
    text_ = DocumentText();
    document_.reset();
}

int LoadXmlDocument(CurrentDocument& current, const std::string& fileName, MessageSink& messages)
{
    // The old document goes first, so two documents never sit in memory together.
    current.clear();
    for (int attempt = 1;; ++attempt) {
        XmlParser parser(fileName);
        if (parser.parse()) {
            current.document_.reset(parser.takeDocument());
            break;
        }
        if (!parser.changedWhileRead() || attempt == kReadAttempts) {
            messages.loadFailed(fileName, parser.error());
            return 1;
        }
    }
    current.text_ = DocumentText(current.document_.get());
    return 0;
}

} // namespace orvex
