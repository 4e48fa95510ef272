#pragma once

#include <QByteArray>
#include <QIcon>

#include <initializer_list>

namespace orvex::app {

// The icon as a Windows .ico file, one PNG image per size (the form Windows
// has read since Vista), for the program file's resources. Empty when a size
// cannot be drawn or is larger than the format's 256 pixels.
QByteArray windowsIconFile(const QIcon& icon, std::initializer_list<int> sizes);

} // namespace orvex::app
