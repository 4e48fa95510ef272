#pragma once

#include "core/xml/XmlParser.h"
#include "core/xml/XmlText.h"

#include <libxml/SAX2.h>
#include <libxml/parserInternals.h>

#include <concepts>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace orvex {
namespace walk {

inline std::string_view view(const xmlChar* text)
{
    return text != nullptr ? std::string_view(reinterpret_cast<const char*>(text)) : std::string_view();
}

inline std::string_view view(const xmlChar* text, int length)
{
    return {reinterpret_cast<const char*>(text), static_cast<std::size_t>(length)};
}

// The value of the attribute `name` in no namespace, as `@name` in XPath
// reads it; null when the element has none.
inline const xmlChar* nameAttribute(int attributeCount, const xmlChar** attributes, std::string_view& value)
{
    for (int i = 0; i < attributeCount; ++i) {
        const xmlChar** attribute = attributes + static_cast<std::ptrdiff_t>(i) * 5;
        if (attribute[2] == nullptr && view(attribute[0]) == "name") {
            value = view(attribute[3], static_cast<int>(attribute[4] - attribute[3]));
            return attribute[3];
        }
    }
    return nullptr;
}

// The element names the repertory's structure tests, as the parser's
// dictionary holds them: names it hands over come from that dictionary, so
// equal names are equal pointers and a test costs one comparison.
struct Names {
    const xmlDict* dictionary = nullptr;
    const xmlChar* list = nullptr;
    const xmlChar* symptom = nullptr;
    const xmlChar* category = nullptr;
    const xmlChar* remedy = nullptr;

    void use(xmlDictPtr parserDictionary)
    {
        if (parserDictionary == dictionary)
            return;
        dictionary = parserDictionary;
        list = xmlDictLookup(parserDictionary, reinterpret_cast<const xmlChar*>("list"), -1);
        symptom = xmlDictLookup(parserDictionary, reinterpret_cast<const xmlChar*>("symptom"), -1);
        category = xmlDictLookup(parserDictionary, reinterpret_cast<const xmlChar*>("category"), -1);
        remedy = xmlDictLookup(parserDictionary, reinterpret_cast<const xmlChar*>("remedy"), -1);
    }
};

// Whether the trees libxml2 builds join CDATA sections that follow each
// other into one node (2.9 does, newer versions keep them apart).
inline bool adjacentCDataJoin()
{
    static const bool joins = [] {
        constexpr std::string_view kProbe = "<a><![CDATA[x]]><![CDATA[y]]></a>";
        const XmlDocument document(
            xmlReadMemory(kProbe.data(), static_cast<int>(kProbe.size()), nullptr, nullptr, XML_PARSE_NONET));
        const xmlNode* root = xmlDocGetRootElement(document.get());
        return root != nullptr && root->children != nullptr && root->children->next == nullptr;
    }();
    return joins;
}

// XPath's unprefixed name tests only match elements in no namespace.
inline bool isPlain(const xmlChar* localName, const xmlChar* uri, const xmlChar* name)
{
    return uri == nullptr && localName == name;
}

} // namespace walk

// One open element. Frames are kept for reuse when elements close, so their
// strings keep their capacity and a steady stream allocates nothing.
template <typename RubricState>
struct WalkFrame {
    bool symptom = false;
    bool category = false;           // a `category` below a symptom that the visitor counts
    bool inChapter = false;          // this element lies in (or is) such a category
    bool firstSeen = false;          // its first child node has begun
    bool capturingForParent = false; // this element is its parent's first child
    bool remedy = false;             // a `remedy` element inside a chapter
    bool firstIsRemedy = false;      // its first child node is such a remedy: the line is a remedy's name
    std::size_t captureStart = 0;    // where this element's text begins in the capture buffer
    std::size_t slot = 0;            // the visitor's number for a remedy
    std::uint64_t startLine = 0;     // where it starts, when the visitor wants lines
    std::string line;                // text of the first child, once it is complete
    RubricState state{};             // what the visitor keeps for it as a rubric
};

// What a visitor of the walk decides: whether to walk below the root at all,
// whether a category below a symptom opens a chapter, what a remedy inside a
// chapter means (remedyStarts gives it a slot of the visitor's, remedyEnds
// hands over its name and its rubric). With kFullStructure the walk also
// reports symptoms and remedies outside any chapter (the search leaves them
// out).
template <typename Visitor>
concept RepertoryVisitor = requires(Visitor& visitor, bool isList, int attributeCount, const xmlChar** attributes,
                                    const typename Visitor::Frame& remedy, typename Visitor::Frame& parent,
                                    std::string_view name) {
    { visitor.rootStarts(isList) } -> std::same_as<bool>;
    { visitor.categoryStarts(attributeCount, attributes) } -> std::same_as<bool>;
    visitor.categoryEnds();
    { visitor.remedyStarts() } -> std::same_as<std::size_t>;
    visitor.remedyEnds(remedy, parent, name);
    { Visitor::kFullStructure } -> std::convertible_to<bool>;
} && (!Visitor::kFullStructure || requires(Visitor& visitor, std::uint64_t line) {
    visitor.symptomStarts();
    visitor.symptomEnds();
    visitor.strayRemedy(line);
});

// The repertory's one streaming pass, shared by the search and the data
// check: it follows "/list//symptom//category//remedy" over the SAX events of
// the file and works out, for every element inside a chapter, the text of its
// first child node (the line of a rubric) under the rules of the tree: white
// space alone is no node, a comment or processing instruction is one,
// adjacent CDATA sections are one where the library's trees join them. What
// counts as a chapter and what a remedy listing means is the visitor's
// (`Derived`, a RepertoryVisitor, which calls walkFile()).
//
// Remedy names are the remedy element's whole text, untrimmed; lines are
// untrimmed too (the visitor trims, once per rubric).
template <typename Derived, typename RubricState>
class RepertoryWalk {
public:
    using Frame = WalkFrame<RubricState>;

    // After the walk: the file changed while it was read (walk it afresh),
    // or the identity of the version walked.
    bool changedWhileRead() const { return changedWhileRead_; }
    const std::optional<platform::FileIdentity>& identity() const { return identity_; }

protected:
    RepertoryWalk() { frames_.resize(16); }

    // Walks the whole file. False when it is missing or not well-formed;
    // `error` then says why. Every byte is checked: a fault after the last
    // listing still fails the walk.
    bool walkFile(const std::string& fileName, std::string& error)
    {
        // Here, not on the class: a visitor is complete only once its body is.
        static_assert(RepertoryVisitor<Derived>);
        static const xmlSAXHandler sax = handler();
        XmlParser parser(fileName, &sax, this);
        const bool loaded = parser.parse();
        if (!loaded)
            error = parser.error();
        changedWhileRead_ = parser.changedWhileRead();
        identity_ = parser.identity();
        return loaded;
    }

    // Ends the walk at the next event; the file then counts as not loaded.
    void stopWalk()
    {
        if (context_ != nullptr)
            xmlStopParser(context_);
    }

    // The line the parser has reached, for findings.
    std::uint64_t currentLine() const { return context_ != nullptr ? XmlParser::lineOf(context_) : 0; }

private:
    static xmlSAXHandler handler()
    {
        xmlSAXHandler sax{};
        // The library's own handlers keep the DTD's entities so that they can
        // be expanded; the content is ours.
        xmlSAXVersion(&sax, 2);
        sax.startElementNs = &RepertoryWalk::onStart;
        sax.endElementNs = &RepertoryWalk::onEnd;
        sax.characters = &RepertoryWalk::onText;
        sax.ignorableWhitespace = &RepertoryWalk::onText;
        sax.cdataBlock = &RepertoryWalk::onCData;
        sax.comment = &RepertoryWalk::onComment;
        sax.processingInstruction = &RepertoryWalk::onProcessingInstruction;
        sax.reference = nullptr;
        sax.startElement = nullptr;
        sax.endElement = nullptr;
        return sax;
    }

    Derived& self() { return static_cast<Derived&>(*this); }
    static RepertoryWalk& of(void* context) { return *static_cast<RepertoryWalk*>(XmlParser::stateOf(context)); }

    static void onStart(void* context, const xmlChar* localName, const xmlChar* /*prefix*/, const xmlChar* uri,
                        int /*namespaceCount*/, const xmlChar** /*namespaces*/, int attributeCount,
                        int /*defaulted*/, const xmlChar** attributes)
    {
        RepertoryWalk& walk = of(context);
        walk.context_ = static_cast<xmlParserCtxtPtr>(context);
        walk.names_.use(walk.context_->dict);
        walk.start(localName, uri, attributeCount, attributes);
    }
    static void onEnd(void* context, const xmlChar*, const xmlChar*, const xmlChar*) { of(context).end(); }
    static void onText(void* context, const xmlChar* text, int length)
    {
        RepertoryWalk& walk = of(context);
        walk.cdataEnds();
        if (walk.wantsText())
            walk.run_.append(walk::view(text, length));
    }
    static void onCData(void* context, const xmlChar* text, int length) { of(context).cdata(walk::view(text, length)); }
    static void onComment(void* context, const xmlChar* text) { of(context).node(walk::view(text)); }
    static void onProcessingInstruction(void* context, const xmlChar* /*target*/, const xmlChar* data)
    {
        of(context).node(walk::view(data));
    }

    Frame& top() { return frames_[depth_]; }

    // Text matters inside captured elements, and as a candidate first child.
    bool wantsText() { return captures_ > 0 || (top().inChapter && !top().firstSeen); }

    void firstChildIsText(std::string_view text)
    {
        Frame& parent = top();
        if (parent.inChapter && !parent.firstSeen) {
            parent.firstSeen = true;
            parent.line.assign(text);
        }
    }

    // Character data ends at the next markup; text of white space only is no node.
    void endRun()
    {
        if (run_.empty())
            return;
        if (!isXmlSpaceOnly(run_)) {
            firstChildIsText(run_);
            if (captures_ > 0)
                text_ += run_;
        }
        run_.clear();
    }

    // A comment or processing instruction: always a node, of no text.
    void node(std::string_view text)
    {
        endRun();
        cdataEnds();
        firstChildIsText(text);
    }

    // CDATA sections that follow each other directly make one node where
    // the tree the library builds joins them.
    void cdata(std::string_view text)
    {
        endRun();
        if (cdataIsFirstChild_) {
            if (walk::adjacentCDataJoin())
                top().line += text;
        } else if (!cdataOpen_ && top().inChapter && !top().firstSeen) {
            firstChildIsText(text);
            cdataIsFirstChild_ = true;
        }
        cdataOpen_ = true;
        if (captures_ > 0)
            text_ += text;
    }

    void cdataEnds() { cdataOpen_ = cdataIsFirstChild_ = false; }

    void start(const xmlChar* localName, const xmlChar* uri, int attributeCount, const xmlChar** attributes)
    {
        endRun();
        cdataEnds();
        if (depth_ + 1 == frames_.size())
            frames_.resize(frames_.size() * 2);
        Frame& parent = frames_[depth_];
        Frame& frame = frames_[++depth_];
        frame.symptom = false;
        frame.category = false;
        frame.remedy = false;
        frame.firstSeen = false;
        frame.capturingForParent = false;
        frame.firstIsRemedy = false;
        frame.state = RubricState{};
        if constexpr (Derived::kFullStructure)
            frame.startLine = currentLine();

        if (depth_ == 1)
            underList_ = self().rootStarts(walk::isPlain(localName, uri, names_.list));
        else if (underList_) {
            if (chapterDepth_ > 0 && walk::isPlain(localName, uri, names_.remedy)) {
                frame.remedy = true;
                frame.slot = self().remedyStarts();
            } else if (walk::isPlain(localName, uri, names_.symptom)) {
                frame.symptom = true;
                ++symptoms_;
                if constexpr (Derived::kFullStructure)
                    self().symptomStarts();
            } else if (symptoms_ > 0 && walk::isPlain(localName, uri, names_.category)
                       && self().categoryStarts(attributeCount, attributes)) {
                frame.category = true;
                ++chapterDepth_;
            } else if constexpr (Derived::kFullStructure) {
                if (walk::isPlain(localName, uri, names_.remedy))
                    self().strayRemedy(frame.startLine);
            }
        }
        frame.inChapter = chapterDepth_ > 0;
        if (parent.inChapter && !parent.firstSeen) {
            parent.firstSeen = true;
            parent.firstIsRemedy = frame.remedy;
            frame.capturingForParent = true;
        }
        if (frame.capturingForParent || frame.remedy) {
            frame.captureStart = text_.size();
            ++captures_;
        }
    }

    void end()
    {
        endRun();
        cdataEnds();
        Frame& frame = top();
        Frame& parent = frames_[depth_ - 1];
        if (frame.capturingForParent || frame.remedy) {
            const std::string_view text = std::string_view(text_).substr(frame.captureStart);
            if (frame.capturingForParent)
                parent.line.assign(text);
            if (frame.remedy)
                self().remedyEnds(frame, parent, text);
            if (--captures_ == 0)
                text_.clear();
        }
        if (frame.symptom) {
            --symptoms_;
            if constexpr (Derived::kFullStructure)
                self().symptomEnds();
        }
        if (frame.category) {
            --chapterDepth_;
            self().categoryEnds();
        }
        --depth_;
    }

    xmlParserCtxtPtr context_ = nullptr;
    bool changedWhileRead_ = false;
    std::optional<platform::FileIdentity> identity_;
    walk::Names names_;
    std::vector<Frame> frames_; // [0] stands for the document
    std::size_t depth_ = 0;
    bool underList_ = false;
    std::size_t symptoms_ = 0;       // open `symptom` elements below the root
    std::size_t chapterDepth_ = 0;   // open chapter categories below a symptom
    std::size_t captures_ = 0;       // open elements whose text is being gathered
    std::string text_;               // their text, laid end to end
    std::string run_;                // character data since the last markup
    bool cdataOpen_ = false;         // the last node was CDATA: more CDATA joins it
    bool cdataIsFirstChild_ = false; // ...and it is the current element's first child
};

} // namespace orvex
