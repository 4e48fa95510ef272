#pragma once

#include "cli/CompareCommand.h"
#include "support/TempDir.h"

#include <sstream>
#include <string>
#include <vector>

namespace orvex::cli::test {

struct CommandRun {
    int status;
    std::string out;
    std::string err;
};

// `orvex-compare arguments...` in `folder`, as the program would run there,
// on a fixed date.
inline CommandRun runIn(const std::filesystem::path& folder, const std::vector<std::string>& arguments)
{
    const orvex::test::CurrentDirectory here(folder);
    std::ostringstream out;
    std::ostringstream err;
    const int status = runCompareCommand(arguments, out, err, [] { return std::string("Sunday, 6 December 2026"); });
    return {status, out.str(), err.str()};
}

// The demo data files, copied into `folder`.
inline void copyDemoData(const orvex::test::TempDir& folder)
{
    for (const char* name : {"remedy.xml", "list.xml", "garepertory.xml"})
        folder.write(name, orvex::test::readFile(orvex::test::demoData(name)));
}

} // namespace orvex::cli::test
