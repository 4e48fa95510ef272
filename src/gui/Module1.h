#pragma once

#include "gui/WindowServices.h"
#include "gui/frmMain.h"
#include "gui/frmSplash.h"

#include <QPointer>

#include <string>

namespace orvex::gui {

// The program's start: measures the screen, shows the splash window, then
// creates and loads the main window without showing it. The first tick of
// the main window's timer swaps the two.
class Module1 {
public:
    explicit Module1(WindowServices services) : services_(services) {}

    void Main();

    const std::string& ScreenWidth() const { return screenWidth_; }
    frmMain* mainWindow() const { return mainWindow_; }
    frmSplash* splashWindow() const { return splash_; }

private:
    WindowServices services_;
    std::string screenWidth_;
    QPointer<frmSplash> splash_;
    QPointer<frmMain> mainWindow_;
};

} // namespace orvex::gui
