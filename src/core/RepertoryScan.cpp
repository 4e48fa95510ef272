#include "RepertoryScan.h"

#include "RepertoryQuery.h"
#include "xml/XmlText.h"

#include <cstring>
#include <vector>

namespace orvex {
namespace {

bool isElementNamed(pugi::xml_node node, const char* name)
{
    return node.type() == pugi::node_element && std::strcmp(node.name(), name) == 0;
}

// Only the first attribute of that name counts, as in the XPath query: the
// parser lets a repeated attribute through.
bool hasAttributeValue(pugi::xml_node element, const char* name, std::string_view value)
{
    const pugi::xml_attribute attribute = element.attribute(name);
    return attribute && value == attribute.value();
}

bool isTextNode(pugi::xml_node node)
{
    return node.type() == pugi::node_pcdata || node.type() == pugi::node_cdata;
}

// What the element's string value is compared with. Nearly every remedy
// element holds one text node, whose value is compared in place.
class RemedyName {
public:
    explicit RemedyName(pugi::xml_node element)
    {
        const pugi::xml_node only = element.first_child();
        if (!only) {
            view_ = element.value(); // compact documents keep the text here
        } else if (*element.value() == '\0' && isTextNode(only) && !only.next_sibling()) {
            view_ = only.value();
        } else {
            built_ = nodeText(element);
            view_ = built_;
        }
    }
    std::string_view view() const { return view_; }

private:
    std::string built_;
    std::string_view view_;
};

// What entering an element did, so leaving it can undo exactly that.
enum Entered : unsigned char { kNothing = 0, kSymptom = 1, kCategory = 2 };

} // namespace

ResultLists scanRepertory(const pugi::xml_document& repertory, std::string_view code,
                          const std::array<std::string, kRemedyPositions>& remedies, const ChosenPositions& chosen)
{
    ResultLists lists;
    if (!(chosen[0] || chosen[1] || chosen[2]))
        return lists;

    std::vector<Entered> entered; // one entry per open element below the root
    std::size_t symptoms = 0;     // open `symptom` elements
    std::size_t categories = 0;   // open `category` elements of the chapter, inside a symptom

    // The line depends on the parent alone; remedies of one rubric share it,
    // so it is worked out once per rubric however many remedies it lists.
    pugi::xml_node lineParent;
    std::string line;
    const auto enter = [&](pugi::xml_node node) {
        Entered what = kNothing;
        if (node.type() == pugi::node_element) {
            if (categories > 0 && isElementNamed(node, "remedy")) {
                const RemedyName name(node);
                for (std::size_t k = 0; k < kRemedyPositions; ++k) {
                    if (!chosen[k] || name.view() != remedies[k])
                        continue;
                    if (node.parent() != lineParent) {
                        lineParent = node.parent();
                        line = resultLine(node);
                    }
                    lists[k].push_back(line);
                }
            }
            if (isElementNamed(node, "symptom")) {
                what = kSymptom;
                ++symptoms;
            } else if (symptoms > 0 && isElementNamed(node, "category") && hasAttributeValue(node, "name", code)) {
                what = kCategory;
                ++categories;
            }
        }
        entered.push_back(what);
    };
    const auto leave = [&] {
        if (entered.back() == kSymptom)
            --symptoms;
        else if (entered.back() == kCategory)
            --categories;
        entered.pop_back();
    };

    for (const pugi::xml_node root : repertory.children()) {
        if (!isElementNamed(root, "list"))
            continue;
        // Iterative pre-order walk below the root: repertories may nest
        // deeper than the stack allows.
        pugi::xml_node current = root.first_child();
        while (current) {
            enter(current);
            if (current.first_child()) {
                current = current.first_child();
                continue;
            }
            while (current != root) {
                leave();
                if (current.next_sibling()) {
                    current = current.next_sibling();
                    break;
                }
                current = current.parent();
            }
            if (current == root)
                break;
        }
    }
    return lists;
}

} // namespace orvex
