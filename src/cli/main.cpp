#include "CompareCommand.h"

#include <QDate>
#include <QLocale>

#include <iostream>

int main(int argc, char* argv[])
{
    const std::vector<std::string> arguments(argv + 1, argv + argc);
    return orvex::cli::runCompareCommand(arguments, std::cout, std::cerr, [] {
        return QLocale::system().toString(QDate::currentDate(), QLocale::LongFormat).toStdString();
    });
}
