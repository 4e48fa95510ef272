#include "gui/Module1.h"

#include "gui/Design.h"
#include "gui/ScreenObject.h"
#include "gui/frmMain.h"
#include "gui/frmSplash.h"

#include <QApplication>

namespace orvex::gui {

void Module1::Main()
{
    screenWidth_ = std::to_string(services_.screen.primaryScreenWidth());
    // Every window, message box, menu and drop-down list in the design
    // font, not just the controls that name it.
    QApplication::setFont(designFont());

    splash_ = new frmSplash;
    splash_->show();
    splash_->repaint(); // drawn in full before the load runs without the event loop

    mainWindow_ = new frmMain(services_, screenWidth_);
    mainWindow_->setSplashWindow(splash_);
    mainWindow_->MDIForm_Load();
}

} // namespace orvex::gui
