#include "RepertoryQuery.h"

#include "xml/XmlText.h"

namespace orvex {
namespace {

pugi::xpath_variable_set makeVariables()
{
    pugi::xpath_variable_set variables;
    variables.add("code", pugi::xpath_type_string);
    variables.add("remedy", pugi::xpath_type_string);
    return variables;
}

} // namespace

RepertoryQuery::RepertoryQuery()
    : variables_(makeVariables())
    , query_("/list//symptom//category[@name = $code]//remedy[. = $remedy]", &variables_)
{
}

std::vector<std::string> RepertoryQuery::lines(const pugi::xml_document& repertory, std::string_view code,
                                               std::string_view remedy)
{
    variables_.set("code", std::string(code).c_str());
    variables_.set("remedy", std::string(remedy).c_str());
    std::vector<std::string> result;
    const pugi::xpath_node_set found = query_.evaluate_node_set(repertory);
    result.reserve(found.size());
    for (const pugi::xpath_node& node : found)
        result.push_back(resultLine(node.node()));
    return result;
}

std::string resultLine(pugi::xml_node remedyElement)
{
    // In a compact document text that opens the parent is the parent's value:
    // that text was its first child. Asked of the text, not of the value,
    // because text starting with &#0; reads as empty and is still there.
    const pugi::xml_node parent = remedyElement.parent();
    if (parent.type() == pugi::node_element && parent.text().data() == parent)
        return std::string(trimXmlSpace(parent.value()));
    return std::string(trimXmlSpace(nodeText(parent.first_child())));
}

std::string literalRepertoryQuery(std::string_view code, std::string_view remedy)
{
    std::string query = "/list//symptom//";
    query += "category[@name='";
    query += code;
    query += "']";
    query += "//remedy[. = '";
    query += remedy;
    query += "']";
    return query;
}

} // namespace orvex
