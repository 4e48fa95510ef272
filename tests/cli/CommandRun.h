#pragma once

#include "cli/CheckCommand.h"
#include "cli/CompareCommand.h"
#include "cli/Output.h"
#include "support/TempDir.h"

#include <functional>
#include <sstream>
#include <string>
#include <vector>

namespace orvex::cli::test {

struct CommandRun {
    int status;
    std::string out;
    std::string err;
};

using Command = std::function<int(const std::vector<std::string>&, std::ostream&, std::ostream&)>;

// The search, on a fixed date.
inline int compare(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err)
{
    return runCompareCommand(arguments, out, err, [] { return std::string("Sunday, 6 December 2026"); });
}

// `orvex-compare arguments...` (or `orvex-compare check arguments...`) in
// `folder`, as the program would run there.
inline CommandRun runIn(const std::filesystem::path& folder, const std::vector<std::string>& arguments,
                        const Command& command = compare)
{
    const orvex::test::CurrentDirectory here(folder);
    std::ostringstream out;
    std::ostringstream err;
    const int status = command(arguments, out, err);
    return {status, out.str(), err.str()};
}

// The demo data files, copied into `folder`.
inline void copyDemoData(const orvex::test::TempDir& folder)
{
    for (const char* name : {"remedy.xml", "list.xml", "garepertory.xml"})
        folder.write(name, orvex::test::readFile(orvex::test::demoData(name)));
}

} // namespace orvex::cli::test
