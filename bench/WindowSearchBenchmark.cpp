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

QApplication& application()
{
    static int argc = 1;
    static char name[] = "orvex_bench";
    static char* argv[] = {name, nullptr};
    static const std::unique_ptr<QApplication> app = [] {
        if (std::getenv("QT_QPA_PLATFORM") == nullptr)
            setenv("QT_QPA_PLATFORM", "offscreen", 0);
        return std::make_unique<QApplication>(argc, argv);
    }();
    return *app;
}

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

// What the user does, by argument 1: 0 the first search (the file read whole),
// 1 a search with other remedies, 2 a mode switch, 3 a chapter switch.
void BM_WindowSearch(benchmark::State& state)
{
    application();
    const auto folder = dataFolder(state.range(0));
    const auto previous = std::filesystem::current_path();
    std::filesystem::current_path(folder);
    setenv("ORVEX_REGISTRY_FILE", (folder / "registry.reg").c_str(), 1);

    orvex::gui::QtScreenObject screen;
    orvex::gui::MessageBoxMessages messages;
    const auto registry = orvex::platform::makeSystemRegistry();
    const auto shell = orvex::platform::makeSystemShell();
    orvex::gui::PrinterReportPrinting printing(messages);
    orvex::gui::ProgramHelp help(*shell, messages, folder);
    auto* window = new orvex::gui::frmMain({screen, messages, *registry, printing, help}, "1024");
    window->MDIForm_Load();
    window->show();
    QApplication::processEvents();
    choose(window, "Sulph.", "Calc.", "Lyc.");
    window->cmdSearch_Click();

    auto* similar = control<QRadioButton>(window, "optSimilar");
    auto* different = control<QRadioButton>(window, "optDifferent");
    auto* chapters = control<QComboBox>(window, "cboRubric");
    const auto file = folder / "garepertory.xml";
    bool flip = false;
    for (auto _ : state) {
        flip = !flip;
        switch (state.range(1)) {
        case 0:
            state.PauseTiming();
            std::filesystem::last_write_time(file, std::filesystem::file_time_type::clock::now());
            state.ResumeTiming();
            window->cmdSearch_Click();
            break;
        case 1:
            choose(window, flip ? "Puls." : "Sulph.", flip ? "Sep." : "Calc.", flip ? "Nux-v." : "Lyc.");
            window->cmdSearch_Click();
            break;
        case 2:
            (flip ? similar : different)->click();
            break;
        default:
            chapters->setCurrentIndex(flip ? 1 : 0);
            window->cmdSearch_Click();
            break;
        }
        window->repaint();
    }
    window->close(); // deletes it, with its index, before the next size
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    std::filesystem::current_path(previous);
}

} // namespace

BENCHMARK(BM_WindowSearch)
    ->ArgsProduct({{25, 200, 800}, {0, 1, 2, 3}})
    ->ArgNames({"ksymptoms", "click"})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
