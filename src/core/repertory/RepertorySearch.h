#pragma once

#include "core/repertory/LinePool.h"
#include "core/repertory/ResultBuilder.h"

#include <array>
#include <memory>
#include <string>
#include <string_view>

namespace orvex {

// What one pass over the repertory found for the three remedy positions.
struct RepertoryMatches {
    bool loaded = false;     // false: the file is missing or not well-formed
    std::string error;       // why, when not loaded
    std::shared_ptr<const LinePool> lines = std::make_shared<LinePool>();
    LineIdLists lists;       // empty unless loaded: never a partial result
};

// The repertory query for all three positions in one streaming pass over the
// file, with no tree of it in memory. For each chosen position it selects
// exactly what "/list//symptom//category[@name = code]//remedy[. = name]"
// selects (same elements, document order, each once) and gives each the
// text of the first child node of its parent, without surrounding white
// space. The whole file is checked: a fault after the last match still
// makes it not loaded.
RepertoryMatches searchRepertoryFile(const std::string& fileName, std::string_view code,
                                     const std::array<std::string, kRemedyPositions>& remedies,
                                     const ChosenPositions& chosen);

} // namespace orvex
