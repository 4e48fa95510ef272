#include "cli/SystemText.h"

namespace orvex::cli {

std::vector<std::string> programArguments(int argc, char* argv[])
{
    return {argv + 1, argv + argc};
}

void useBinaryOutput() {}

} // namespace orvex::cli
