#include "cli/CheckCommand.h"
#include "cli/CompareCommand.h"
#include "cli/Output.h"
#include "cli/SystemText.h"
#include "platform/SystemEncodings.h"
#include "platform/date/LongDate.h"

#include <iostream>

#include <unistd.h>

int main(int argc, char* argv[])
{
    orvex::platform::registerSystemEncodings();
    orvex::cli::useBinaryOutput();
    orvex::cli::DescriptorOutput standardOutput(STDOUT_FILENO);
    std::ostream out(&standardOutput);
    const auto arguments = orvex::cli::programArguments(argc, argv);
    // A remedy named "check" is searched for after "--".
    if (!arguments.empty() && arguments[0] == "check")
        return orvex::cli::runCheckCommand({arguments.begin() + 1, arguments.end()}, out, std::cerr);
    return orvex::cli::runCompareCommand(arguments, out, std::cerr, orvex::platform::todayLongDate);
}
