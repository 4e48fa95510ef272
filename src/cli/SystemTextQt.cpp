#include "SystemText.h"

#include <QDate>
#include <QLocale>

namespace orvex::cli {

std::string todayLongDate()
{
    return QLocale::system().toString(QDate::currentDate(), QLocale::LongFormat).toStdString();
}

std::vector<std::string> programArguments(int argc, char* argv[])
{
    return {argv + 1, argv + argc};
}

void useBinaryOutput() {}

} // namespace orvex::cli
