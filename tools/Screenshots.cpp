// Writes the README's screenshots of the main window after a "different"
// and a "similar" search on the demo data: orvex_screenshots OUTPUT_DIR.
// Run it on a real display (Xvfb will do) at 1024 pixels width.
#include "gui/Design.h"
#include "gui/HelpCommands.h"
#include "gui/PrinterReportPrinting.h"
#include "gui/ScreenObject.h"
#include "gui/UserMessages.h"
#include "gui/frmMain.h"

#include "platform/registry/HiveFileRegistry.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QListWidget>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QToolButton>

#include <cstdio>

namespace {

// The pictures are of the 1024-pixel layout, whatever the display.
class FixedScreen final : public orvex::gui::ScreenObject {
public:
    int primaryScreenWidth() const override { return 1024; }
    void setMousePointer(int shape) override { shape_ = shape; }
    int mousePointer() const override { return shape_; }

private:
    int shape_ = kDefaultPointer;
};

class NoHelp final : public orvex::gui::HelpCommands {
public:
    void openTipWindow(const orvex::StringTable&) override {}
    void openAbout() override {}
};

template <typename Control>
Control* control(const QObject& window, const char* name)
{
    return window.findChild<Control*>(QString::fromLatin1(name));
}

} // namespace

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    if (argc != 2) {
        std::fputs("usage: orvex_screenshots OUTPUT_DIR\n", stderr);
        return 64;
    }
    const QString out = QFileInfo(QString::fromLocal8Bit(argv[1])).absoluteFilePath(); // before the folder changes
    QDir::setCurrent(QStringLiteral(ORVEX_DEMO_DATA_DIR));
    QApplication::setFont(orvex::gui::designFont()); // as the program's start does
    // The start-up writes a setting: into a hive of its own, not the user's.
    const QTemporaryDir hive;
    FixedScreen screen;
    orvex::gui::MessageBoxMessages messages;
    orvex::platform::HiveFileRegistry registry(hive.filePath(QStringLiteral("registry.reg")).toStdString());
    orvex::gui::PrinterReportPrinting printing(messages);
    NoHelp help;
    orvex::gui::frmMain window({screen, messages, registry, printing, help}, "1024");
    window.setAttribute(Qt::WA_DeleteOnClose, false);
    window.MDIForm_Load();
    window.show();
    control<QComboBox>(window, "cboRemedy1")->setCurrentText(QStringLiteral("Bell."));
    control<QComboBox>(window, "cboRemedy2")->setCurrentText(QStringLiteral("Nux-v."));
    control<QComboBox>(window, "cboRemedy3")->setCurrentText(QStringLiteral("Puls."));
    control<QToolButton>(window, "cmdSearch")->click();
    QListWidget* first = control<QListWidget>(window, "lResult1");
    first->setCurrentRow(1);
    QApplication::processEvents();
    bool saved = window.grab().save(out + QStringLiteral("/screenshot-different.png"));
    control<QRadioButton>(window, "optSimilar")->click();
    first->setCurrentRow(0);
    QApplication::processEvents();
    saved = window.grab().save(out + QStringLiteral("/screenshot-similar.png")) && saved;
    return saved ? 0 : 1;
}
