// The window's answer to the user with very long texts (target: every
// interaction within 100 ms): the next tip of a tip window whose tips are
// megabytes long, the tooltip of a result line of megabytes, and a repaint of
// the list that holds it. Runs on Qt's offscreen platform unless
// QT_QPA_PLATFORM says otherwise:
//   orvex_bench --benchmark_filter='Tip|Tooltip|LongLine'
#include "gui/LongText.h"
#include "gui/ResultListTooltip.h"
#include "gui/ResultListWidth.h"
#include "core/data/StringTable.h"
#include "support/TipWindowTexts.h"
#include "gui/frmTip.h"

#include "BenchApplication.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QHelpEvent>
#include <QLabel>
#include <QListWidget>
#include <QMouseEvent>
#include <QPushButton>
#include <QToolTip>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>

namespace {

using orvex::bench::application;

std::filesystem::path tipsFolder(std::size_t megabytes)
{
    const char* env = std::getenv("ORVEX_BENCH_DIR");
    const auto folder = std::filesystem::path(env ? env : "/tmp/orvex-bench") / ("tips-" + std::to_string(megabytes));
    const auto file = folder / "help.txt";
    if (!std::filesystem::exists(file)) {
        std::filesystem::create_directories(folder);
        std::ofstream out(file, std::ios::binary);
        const std::string tip(megabytes << 20, 'a');
        out << tip << "\r\n" << tip << "\r\n";
    }
    return folder;
}


// Opening a tip window on tips of N MB: reading the file, showing the first.
void BM_TipWindowOpen(benchmark::State& state)
{
    application();
    const auto folder = tipsFolder(static_cast<std::size_t>(state.range(0)));
    const orvex::StringTable texts = orvex::test::tipWindowTexts();
    for (auto _ : state) {
        orvex::gui::frmTip tip(texts, folder);
        tip.setAttribute(Qt::WA_DeleteOnClose, false);
        tip.show();
        QApplication::processEvents();
    }
}

// Next on a tip window whose tips are N MB long, repaint included.
void BM_TipWindowNext(benchmark::State& state)
{
    application();
    const orvex::StringTable texts = orvex::test::tipWindowTexts();
    orvex::gui::frmTip tip(texts, tipsFolder(static_cast<std::size_t>(state.range(0))));
    tip.setAttribute(Qt::WA_DeleteOnClose, false);
    tip.show();
    QApplication::processEvents();
    for (auto _ : state) {
        tip.cmdNextTip->click();
        tip.repaint();
        QApplication::processEvents();
    }
}

// A result list holding one line of N million characters.
struct LongLineList {
    explicit LongLineList(qsizetype characters)
    {
        list.addItem(QStringLiteral("Fear ") + QString(characters, QLatin1Char('x')));
        list.addItem(QStringLiteral("short"));
        // As the main window sets up its result lists.
        orvex::gui::ResultListTooltip::attachTo(&list);
        list.setItemDelegate(new orvex::gui::ShownTextDelegate(&list));
        list.resize(300, 200);
        list.show();
        QApplication::processEvents();
    }
    QListWidget list;
};

// Hovering the long line and the short one in turn, the tooltip shown each time.
void BM_TooltipOverLongLine(benchmark::State& state)
{
    application();
    LongLineList subject(state.range(0) << 20);
    QWidget* viewport = subject.list.viewport();
    const int rowHeight = subject.list.visualItemRect(subject.list.item(0)).height();
    int row = 0;
    for (auto _ : state) {
        const QPoint at(5, row * rowHeight + 1);
        QMouseEvent move(QEvent::MouseMove, QPointF(at), viewport->mapToGlobal(QPointF(at)), Qt::NoButton,
                         Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(viewport, &move);
        QHelpEvent help(QEvent::ToolTip, at, viewport->mapToGlobal(at));
        QApplication::sendEvent(viewport, &help);
        QApplication::processEvents();
        row = 1 - row;
    }
    QToolTip::hideText();
}

// Repainting the list that shows the long line (scrolling, uncovering).
void BM_ListRepaintWithLongLine(benchmark::State& state)
{
    application();
    LongLineList subject(state.range(0) << 20);
    for (auto _ : state) {
        subject.list.viewport()->repaint();
        QApplication::processEvents();
    }
}

} // namespace

// Filling a result list of N lines as a search does, with and without sizing
// its rows to the longest line: the difference is what the horizontal scroll
// bar costs.
void BM_FillResultList(benchmark::State& state)
{
    application();
    const auto count = static_cast<int>(state.range(0));
    const bool widen = state.range(1) != 0;
    QStringList lines;
    for (int i = 0; i < count; ++i)
        lines.append(QStringLiteral("Rubric %1, with a modality of some length").arg(i));
    lines[count / 2] = QString(QStringLiteral("The longest rubric, ")).repeated(20);
    QListWidget list;
    list.setUniformItemSizes(true); // as the main window sets up its result lists
    list.setItemDelegate(new orvex::gui::ShownTextDelegate(&list));
    for (auto _ : state) {
        list.clear();
        list.addItems(lines);
        if (widen)
            orvex::gui::widenToLongestLine(&list);
    }
}

BENCHMARK(BM_FillResultList)->Args({30000, 0})->Args({30000, 1})->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TipWindowOpen)->Arg(1)->Arg(50)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TipWindowNext)->Arg(1)->Arg(50)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TooltipOverLongLine)->Arg(1)->Arg(100)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ListRepaintWithLongLine)->Arg(1)->Arg(100)->Unit(benchmark::kMillisecond);
