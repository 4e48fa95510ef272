#pragma once

#include "gui/HelpCommands.h"
#include "gui/ReportPrinting.h"
#include "gui/ScreenObject.h"
#include "gui/UserMessages.h"
#include "gui/WindowServices.h"

#include "support/TempDir.h"
#include "support/TestRegistry.h"

#include <QStringList>

#include <memory>
#include <vector>

namespace orvex::gui::test {

class FakeScreen final : public ScreenObject {
public:
    int width = 1024;
    std::vector<int> pointerShapes;
    int primaryScreenWidth() const override { return width; }
    void setMousePointer(int shape) override { pointerShapes.push_back(shape); }
    int mousePointer() const override { return pointerShapes.empty() ? kDefaultPointer : pointerShapes.back(); }
};

class RecordingMessages final : public UserMessages {
public:
    QStringList texts;
    QStringList details;
    void showMessage(const QString& text, const QString& detail) override
    {
        texts.append(text);
        details.append(detail);
    }
};

class RecordingPrinting final : public ReportPrinting {
public:
    std::vector<std::vector<ReportLine>> reports;
    std::string longDate() const override { return "Sunday, 6 December 2026"; }
    void print(const std::vector<ReportLine>& lines) override { reports.push_back(lines); }
};

class RecordingHelp final : public HelpCommands {
public:
    int tipWindows = 0;
    int abouts = 0;
    void openTipWindow(const StringTable&) override { ++tipWindows; }
    void openAbout() override { ++abouts; }
};

// Everything a window needs, pre-answered; the settings go to a registry of
// the test's own.
struct Doubles {
    FakeScreen screen;
    RecordingMessages messages;
    orvex::test::TempDir hiveFolder;
    std::unique_ptr<RegistryApi> registry = orvex::test::makeTestRegistry(hiveFolder);
    RecordingPrinting printing;
    RecordingHelp help;
    WindowServices services() { return {screen, messages, *registry, printing, help}; }
};

} // namespace orvex::gui::test
