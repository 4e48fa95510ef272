#include "CompareCommand.h"
#include "SystemText.h"

#include <iostream>

int main(int argc, char* argv[])
{
    orvex::cli::useBinaryOutput();
    return orvex::cli::runCompareCommand(orvex::cli::programArguments(argc, argv), std::cout, std::cerr,
                                         orvex::cli::todayLongDate);
}
