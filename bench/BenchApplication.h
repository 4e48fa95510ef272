#pragma once

#include <QApplication>

#include <cstdlib>
#include <memory>

namespace orvex::bench {

// The one QApplication of the benchmarks, on Qt's offscreen platform unless
// QT_QPA_PLATFORM says otherwise.
inline QApplication& application()
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

} // namespace orvex::bench
