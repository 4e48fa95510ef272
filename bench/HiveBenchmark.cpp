// The settings hive under hostile sizes: one SaveSetting into a hive of N
// values under one key (the target: 100,000 values in under a second, time
// growing linearly with N), and one GetSetting from a hive of blank lines.
// Peak memory is measured on a run of one benchmark in a process of its own:
//   /usr/bin/time -v orvex_bench --benchmark_filter='HiveSave.*/100000$'
#include "platform/registry/HiveFileRegistry.h"
#include "core/settings/CRegSettings.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <stdexcept>
#include <string>

namespace {

std::filesystem::path hiveBenchDir()
{
    const char* env = std::getenv("ORVEX_BENCH_DIR");
    return std::filesystem::path(env ? env : "/tmp/orvex-bench") / "hive";
}

// A fresh copy of a hive made by `write`, so that every run starts alike.
std::filesystem::path freshHive(const std::string& name, const std::function<void(std::ostream&)>& write)
{
    std::filesystem::create_directories(hiveBenchDir());
    const auto file = hiveBenchDir() / name;
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    write(out);
    if (!out)
        throw std::runtime_error("cannot write " + file.string());
    return file;
}

orvex::CRegSettings store(orvex::platform::HiveFileRegistry& registry)
{
    orvex::CRegSettings settings(registry);
    settings.Company("Tarnwell");
    settings.AppName("OCS");
    return settings;
}

void BM_HiveSaveSetting(benchmark::State& state)
{
    const auto values = static_cast<int>(state.range(0));
    const auto file = freshHive("values.reg", [&](std::ostream& out) {
        out << "Windows Registry Editor Version 5.00\n\n[HKEY_LOCAL_MACHINE\\Software\\Tarnwell\\OCS]\n";
        char line[64];
        for (int i = 0; i < values; ++i) {
            std::snprintf(line, sizeof line, "\"value%06d\"=\"setting %06d\"\n", i, i);
            out << line;
        }
    });
    state.counters["hiveBytes"] = static_cast<double>(std::filesystem::file_size(file));
    orvex::platform::HiveFileRegistry registry(file);
    orvex::CRegSettings settings = store(registry);
    int count = 0;
    for (auto _ : state) {
        if (settings.SaveSetting("", "count", std::to_string(++count)) != orvex::kTrue)
            state.SkipWithError("SaveSetting failed");
    }
    state.SetComplexityN(values);
}

void BM_HiveGetSettingFromBlankLines(benchmark::State& state)
{
    const auto megabytes = static_cast<std::size_t>(state.range(0));
    const auto file = freshHive("blank.reg", [&](std::ostream& out) {
        out << "Windows Registry Editor Version 5.00\n[HKEY_LOCAL_MACHINE\\Software\\Tarnwell\\OCS]\n\"count\"=\"1\"\n"
            << std::string(megabytes << 20, '\n');
    });
    orvex::platform::HiveFileRegistry registry(file);
    orvex::CRegSettings settings = store(registry);
    for (auto _ : state) {
        if (settings.GetSetting("", "count", "") != "1")
            state.SkipWithError("GetSetting lost the value");
    }
    state.SetComplexityN(static_cast<std::int64_t>(megabytes));
}

} // namespace

BENCHMARK(BM_HiveSaveSetting)->Arg(12500)->Arg(25000)->Arg(50000)->Arg(100000)->Arg(200000)->Unit(benchmark::kMillisecond)->Complexity();
BENCHMARK(BM_HiveGetSettingFromBlankLines)->Arg(10)->Arg(20)->Arg(40)->Unit(benchmark::kMillisecond)->Complexity();
