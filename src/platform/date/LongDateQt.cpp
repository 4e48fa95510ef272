#include "platform/date/LongDate.h"

#include <QDate>
#include <QLocale>

namespace orvex::platform {

std::string todayLongDate()
{
    // The system's locale, not the program's default: the user's regional
    // settings decide, whatever a window or a test set as default.
    return QLocale::system().toString(QDate::currentDate(), QLocale::LongFormat).toStdString();
}

} // namespace orvex::platform
