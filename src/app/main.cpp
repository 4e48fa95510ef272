// The program. The data files resolve against the current directory, the
// tips file against the program's own folder; there is no command line.
#include "gui/Module1.h"
#include "gui/PrinterReportPrinting.h"
#include "gui/ProgramHelp.h"
#include "gui/ScreenObject.h"
#include "gui/UserMessages.h"

#include "platform/ProgramDirectory.h"
#include "platform/SystemEncodings.h"
#include "platform/registry/SystemRegistry.h"
#include "platform/shell/SystemShell.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    orvex::platform::registerSystemEncodings();
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Orvex Comparative Software"));
    QApplication::setOrganizationName(QStringLiteral("Tarnwell"));
    QGuiApplication::setDesktopFileName(QStringLiteral("orvex")); // the launcher's icon on Wayland

    orvex::gui::QtScreenObject screen;
    orvex::gui::MessageBoxMessages messages;
    const auto registry = orvex::platform::makeSystemRegistry();
    const auto shell = orvex::platform::makeSystemShell();
    orvex::gui::PrinterReportPrinting printing(messages);
    orvex::gui::ProgramHelp help(*shell, messages, orvex::platform::programDirectory());

    orvex::gui::Module1 program({screen, messages, *registry, printing, help});
    program.Main();
    return QApplication::exec();
}
