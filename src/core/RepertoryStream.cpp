#include "RepertoryStream.h"

#include "xml/XmlParser.h"
#include "xml/XmlText.h"

#include <libxml/SAX2.h>
#include <libxml/parserInternals.h>

#include <cstdint>
#include <cstring>
#include <optional>
#include <vector>

namespace orvex {
namespace {

std::string_view view(const xmlChar* text)
{
    return text != nullptr ? std::string_view(reinterpret_cast<const char*>(text)) : std::string_view();
}

std::string_view view(const xmlChar* text, int length)
{
    return {reinterpret_cast<const char*>(text), static_cast<std::size_t>(length)};
}

// The element names the query tests, as the parser's dictionary holds them:
// names it hands over come from that dictionary, so equal names are equal
// pointers and a test costs one comparison.
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

// XPath's unprefixed name tests only match elements in no namespace.
bool isPlain(const xmlChar* localName, const xmlChar* uri, const xmlChar* name)
{
    return uri == nullptr && localName == name;
}

// One open element. Frames are kept for reuse when elements close, so their
// strings keep their capacity and a steady stream allocates nothing.
struct Frame {
    bool symptom = false;
    bool category = false;        // a `category` of the chapter, below a symptom
    bool inChapter = false;       // this element lies in (or is) such a category
    bool firstSeen = false;       // its first child node has begun
    bool capturingForParent = false; // this element is its parent's first child
    bool remedy = false;          // a `remedy` element inside the chapter
    std::size_t captureStart = 0; // where this element's text begins in the capture buffer
    std::size_t slot = 0;         // its place among the matches, for a remedy
    std::string line;             // text of the first child, once it is complete
    std::optional<LineId> lineId; // `line` interned, once a remedy needed it
};

struct Match {
    std::uint8_t positions = 0; // bit k: remedy k+1 has this element
    LineId line = kEmptyLine;
};

class Search {
public:
    Search(std::string_view code, const std::array<std::string, kRemedyPositions>& remedies,
           const ChosenPositions& chosen, LinePool& lines)
        : code_(code), remedies_(remedies), chosen_(chosen), lines_(lines)
    {
        anyChosen_ = chosen[0] || chosen[1] || chosen[2];
        frames_.resize(16);
    }

    LineIdLists lists() const
    {
        LineIdLists lists;
        for (const Match& match : matches_) {
            for (std::size_t k = 0; k < kRemedyPositions; ++k) {
                if ((match.positions & (1U << k)) != 0)
                    lists[k].push_back(match.line);
            }
        }
        return lists;
    }

    static xmlSAXHandler handler()
    {
        xmlSAXHandler sax{};
        // The library's own handlers keep the DTD's entities so that they can
        // be expanded; the content is ours.
        xmlSAXVersion(&sax, 2);
        sax.startElementNs = &Search::onStart;
        sax.endElementNs = &Search::onEnd;
        sax.characters = &Search::onText;
        sax.ignorableWhitespace = &Search::onText;
        sax.cdataBlock = &Search::onCData;
        sax.comment = &Search::onComment;
        sax.processingInstruction = &Search::onProcessingInstruction;
        sax.reference = nullptr;
        sax.startElement = nullptr;
        sax.endElement = nullptr;
        return sax;
    }

private:
    static Search& of(void* context) { return *static_cast<Search*>(XmlParser::stateOf(context)); }

    static void onStart(void* context, const xmlChar* localName, const xmlChar* /*prefix*/, const xmlChar* uri,
                        int /*namespaceCount*/, const xmlChar** /*namespaces*/, int attributeCount,
                        int /*defaulted*/, const xmlChar** attributes)
    {
        Search& search = of(context);
        search.names_.use(static_cast<xmlParserCtxtPtr>(context)->dict);
        search.start(localName, uri, attributeCount, attributes);
    }
    static void onEnd(void* context, const xmlChar*, const xmlChar*, const xmlChar*) { of(context).end(); }
    static void onText(void* context, const xmlChar* text, int length)
    {
        Search& search = of(context);
        search.cdataEnds();
        if (search.wantsText())
            search.run_.append(view(text, length));
    }
    static void onCData(void* context, const xmlChar* text, int length) { of(context).cdata(view(text, length)); }
    static void onComment(void* context, const xmlChar* text) { of(context).node(view(text)); }
    static void onProcessingInstruction(void* context, const xmlChar* /*target*/, const xmlChar* data)
    {
        of(context).node(view(data));
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

    // CDATA sections that follow each other directly make one node, as in
    // the tree the library builds.
    void cdata(std::string_view text)
    {
        endRun();
        if (cdataIsFirstChild_)
            top().line += text;
        else if (!cdataOpen_ && top().inChapter && !top().firstSeen) {
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
        frame.lineId.reset();

        if (depth_ == 1)
            underList_ = anyChosen_ && isPlain(localName, uri, names_.list);
        else if (underList_) {
            if (chapterDepth_ > 0 && isPlain(localName, uri, names_.remedy)) {
                frame.remedy = true;
                frame.slot = matches_.size();
                matches_.emplace_back();
            } else if (isPlain(localName, uri, names_.symptom)) {
                frame.symptom = true;
                ++symptoms_;
            } else if (symptoms_ > 0 && isPlain(localName, uri, names_.category) && hasCode(attributeCount, attributes)) {
                frame.category = true;
                ++chapterDepth_;
            }
        }
        frame.inChapter = chapterDepth_ > 0;
        if (parent.inChapter && !parent.firstSeen) {
            parent.firstSeen = true;
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
                matched(frame, parent, text);
            if (--captures_ == 0)
                text_.clear();
        }
        if (frame.symptom)
            --symptoms_;
        if (frame.category)
            --chapterDepth_;
        --depth_;
    }

    void matched(const Frame& remedy, Frame& parent, std::string_view name)
    {
        Match& match = matches_[remedy.slot];
        for (std::size_t k = 0; k < kRemedyPositions; ++k) {
            if (chosen_[k] && name == remedies_[k])
                match.positions |= static_cast<std::uint8_t>(1U << k);
        }
        if (match.positions != 0) {
            // The line belongs to the parent: remedies of one rubric share it.
            if (!parent.lineId)
                parent.lineId = lines_.intern(trimXmlSpace(parent.line));
            match.line = *parent.lineId;
        } else if (remedy.slot + 1 == matches_.size()) {
            matches_.pop_back();
        }
    }

    // Only the attribute `name` in no namespace counts, as `@name` in XPath.
    bool hasCode(int attributeCount, const xmlChar** attributes) const
    {
        for (int i = 0; i < attributeCount; ++i) {
            const xmlChar** attribute = attributes + static_cast<std::ptrdiff_t>(i) * 5;
            if (attribute[2] == nullptr && view(attribute[0]) == "name")
                return view(attribute[3], static_cast<int>(attribute[4] - attribute[3])) == code_;
        }
        return false;
    }

    std::string_view code_;
    const std::array<std::string, kRemedyPositions>& remedies_;
    ChosenPositions chosen_;
    LinePool& lines_;
    bool anyChosen_ = false;

    Names names_;
    std::vector<Frame> frames_; // [0] stands for the document
    std::size_t depth_ = 0;
    bool underList_ = false;
    std::size_t symptoms_ = 0;    // open `symptom` elements below the root
    std::size_t chapterDepth_ = 0; // open categories of the chapter below a symptom
    std::size_t captures_ = 0;    // open elements whose text is being gathered
    std::string text_;            // their text, laid end to end
    std::string run_;             // character data since the last markup
    bool cdataOpen_ = false;      // the last node was CDATA: more CDATA joins it
    bool cdataIsFirstChild_ = false; // ...and it is the current element's first child
    std::vector<Match> matches_;
};

} // namespace

RepertoryMatches searchRepertoryFile(const std::string& fileName, std::string_view code,
                                     const std::array<std::string, kRemedyPositions>& remedies,
                                     const ChosenPositions& chosen)
{
    RepertoryMatches result;
    Search search(code, remedies, chosen, *result.lines);
    static const xmlSAXHandler sax = Search::handler();
    XmlParser parser(fileName, &sax, &search);
    result.loaded = parser.parse();
    if (result.loaded)
        result.lists = search.lists();
    else
        result.error = parser.error();
    return result;
}

} // namespace orvex
