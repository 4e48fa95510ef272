// The window's answer to a search: from the click to the three lists filled
// and painted, as the program wires it, on synthetic repertories of 25,000,
// 200,000 and 800,000 symptoms (generated once into $ORVEX_BENCH_DIR, default
// /tmp/orvex-bench). The first search reads the whole file; the others are
// answered from what it learned. On Qt's offscreen platform unless
// QT_QPA_PLATFORM says otherwise (run it under Xvfb with xcb too):
//   orvex_bench --benchmark_filter=WindowSearch --benchmark_repetitions=5
#include "gui/PrinterReportPrinting.h"
#include "gui/ProgramHelp.h"
#include "gui/ScreenObject.h"
#include "gui/UserMessages.h"
#include "gui/frmMain.h"

#include "platform/registry/SystemRegistry.h"
#include "platform/shell/SystemShell.h"
#include "core/help/ShellApi.h"
#include "core/settings/RegistryApi.h"

#include "BenchApplication.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QComboBox>
#include <QRadioButton>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <stdexcept>
#include <string>

namespace {

using orvex::bench::application;

// A data folder with a repertory of `thousands` thousand symptoms, its remedy
// list and the program's own texts.
std::filesystem::path dataFolder(long thousands)
{
    const char* env = std::getenv("ORVEX_BENCH_DIR");
    const auto folder = std::filesystem::path(env ? env : "/tmp/orvex-bench") / ("window-" + std::to_string(thousands) + "k");
    if (!std::filesystem::exists(folder / "garepertory.xml")) {
        std::filesystem::create_directories(folder);
        const std::string command = std::string("python3 '") + ORVEX_MAKE_REPERTORY + "' --quiet --symptoms "
            + std::to_string(thousands * 1000) + " --out '" + (folder / "garepertory.xml").string()
            + "' --remedies-file '" + (folder / "remedy.xml").string() + "'";
        if (std::system(command.c_str()) != 0)
            throw std::runtime_error("cannot generate the repertory: " + command);
    }
    std::filesystem::copy_file(std::filesystem::path(ORVEX_DEMO_DATA_DIR) / "list.xml", folder / "list.xml",
                               std::filesystem::copy_options::overwrite_existing);
    return folder;
}

template <typename Control>
Control* control(const QObject* window, const char* name)
{
    return window->findChild<Control*>(QString::fromLatin1(name));
}

void choose(const QObject* window, const char* one, const char* two, const char* three)
{
    control<QComboBox>(window, "cboRemedy1")->setEditText(QString::fromLatin1(one));
    control<QComboBox>(window, "cboRemedy2")->setEditText(QString::fromLatin1(two));
    control<QComboBox>(window, "cboRemedy3")->setEditText(QString::fromLatin1(three));
}

// The program's window on the data folder, loaded and shown.
class Window {
public:
    explicit Window(const std::filesystem::path& folder)
        : registry_(orvex::platform::makeSystemRegistry())
        , shell_(orvex::platform::makeSystemShell())
        , printing_(messages_)
        , help_(*shell_, messages_, folder)
        , window_(new orvex::gui::frmMain({screen_, messages_, *registry_, printing_, help_}, "1024"))
    {
        window_->MDIForm_Load();
        window_->show();
        QApplication::processEvents();
        choose(window_, "Sulph.", "Calc.", "Lyc.");
    }
    ~Window()
    {
        window_->close(); // deletes it, with its index
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;

    orvex::gui::frmMain* get() const { return window_; }

private:
    orvex::gui::QtScreenObject screen_;
    orvex::gui::MessageBoxMessages messages_;
    std::unique_ptr<orvex::RegistryApi> registry_;
    std::unique_ptr<orvex::ShellApi> shell_;
    orvex::gui::PrinterReportPrinting printing_;
    orvex::gui::ProgramHelp help_;
    orvex::gui::frmMain* window_;
};

// What the user does, by argument 1: 0 the first search of a window just
// opened (the file streamed; its index is built meanwhile), 1 a search with
// other remedies, 2 a mode switch, 3 a chapter switch (all three answered
// from the index).
void BM_WindowSearch(benchmark::State& state)
{
    application();
    const auto folder = dataFolder(state.range(0));
    const auto previous = std::filesystem::current_path();
    std::filesystem::current_path(folder);
    setenv("ORVEX_REGISTRY_FILE", (folder / "registry.reg").c_str(), 1);

    auto window = std::make_unique<Window>(folder);
    window->get()->cmdSearch_Click();
    window->get()->cmdSearch_Click(); // waits for the index
    auto* similar = control<QRadioButton>(window->get(), "optSimilar");
    auto* different = control<QRadioButton>(window->get(), "optDifferent");
    auto* chapters = control<QComboBox>(window->get(), "cboRubric");
    bool flip = false;
    for (auto _ : state) {
        flip = !flip;
        switch (state.range(1)) {
        case 0:
            state.PauseTiming();
            window.reset();
            window = std::make_unique<Window>(folder);
            state.ResumeTiming();
            window->get()->cmdSearch_Click();
            break;
        case 1:
            choose(window->get(), flip ? "Puls." : "Sulph.", flip ? "Sep." : "Calc.", flip ? "Nux-v." : "Lyc.");
            window->get()->cmdSearch_Click();
            break;
        case 2:
            (flip ? similar : different)->click();
            break;
        default:
            chapters->setCurrentIndex(flip ? 1 : 0);
            window->get()->cmdSearch_Click();
            break;
        }
        window->get()->repaint();
    }
    window.reset();
    std::filesystem::current_path(previous);
}

} // namespace

BENCHMARK(BM_WindowSearch)
    ->ArgsProduct({{25, 200, 800}, {0, 1, 2, 3}})
    ->ArgNames({"ksymptoms", "click"})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
