#pragma once

#include <QWidget>

namespace orvex::gui {

// The splash window: the logo in a frame, nothing more. It shows while the
// main window loads and goes at the first timer tick.
class frmSplash final : public QWidget {
    Q_OBJECT

public:
    frmSplash();
};

} // namespace orvex::gui
