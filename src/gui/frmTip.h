#pragma once

#include "core/help/TipCycle.h"

#include <QDialog>

#include <filesystem>

class QLabel;
class QPushButton;

namespace orvex {
class StringTable;
}

namespace orvex::gui {

// A tip window: one tip of "help.txt" at a time and a button to the next.
// Each window reads the file itself and starts at the first tip; it floats
// on its own and keeps the program running while it is open.
class frmTip final : public QDialog {
    Q_OBJECT

public:
    frmTip(const StringTable& texts, const std::filesystem::path& programDirectory);

    void cmdNextTip_Click();
    void cmdOK_Click();

    QPushButton* cmdOK = nullptr;
    QPushButton* cmdNextTip = nullptr;
    QLabel* Picture1 = nullptr;
    QLabel* lblTitle = nullptr;
    QLabel* lblTipText = nullptr;

private:
    void Form_Load(const StringTable& texts, const std::filesystem::path& programDirectory);
    void DisplayCurrentTip();

    TipCycle tips_;
};

// Tip text as shown: UTF-8 where it is valid, otherwise single-byte Latin-1,
// so that no byte of an older file is lost; a tip too long to show is cut
// (see shownText).
QString tipText(const std::string& bytes);

} // namespace orvex::gui
