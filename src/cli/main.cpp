#include "cli/CompareCommand.h"
#include "platform/SystemEncodings.h"
#include "platform/date/LongDate.h"
#include "cli/SystemText.h"

#include <iostream>

#include <unistd.h>

int main(int argc, char* argv[])
{
    orvex::platform::registerSystemEncodings();
    orvex::cli::useBinaryOutput();
    orvex::cli::DescriptorOutput standardOutput(STDOUT_FILENO);
    std::ostream out(&standardOutput);
    return orvex::cli::runCompareCommand(orvex::cli::programArguments(argc, argv), out, std::cerr,
                                         orvex::platform::todayLongDate);
}
