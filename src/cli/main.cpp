#include "CompareCommand.h"

#include <QDate>
#include <QLocale>

#include <iostream>

#include <unistd.h>

int main(int argc, char* argv[])
{
    const std::vector<std::string> arguments(argv + 1, argv + argc);
    orvex::cli::DescriptorOutput standardOutput(STDOUT_FILENO);
    std::ostream out(&standardOutput);
    return orvex::cli::runCompareCommand(arguments, out, std::cerr, [] {
        return QLocale::system().toString(QDate::currentDate(), QLocale::LongFormat).toStdString();
    });
}
