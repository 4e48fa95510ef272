// Full-size figures: the synthetic repertory is generated on first run into
// $ORVEX_BENCH_DIR (default /tmp/orvex-bench) and reused afterwards.
#include "ComparisonSearch.h"
#include "LiteralResultBuilder.h"
#include "xml/CurrentDocument.h"

#include <benchmark/benchmark.h>
#include <pugixml.hpp>

#include <cstdlib>
#include <filesystem>
#include <random>
#include <stdexcept>

namespace {

std::string repertoryPath()
{
    static const std::string path = [] {
        const char* env = std::getenv("ORVEX_BENCH_DIR");
        const std::filesystem::path dir = env ? env : "/tmp/orvex-bench";
        const auto file = dir / "garepertory.xml";
        if (!std::filesystem::exists(file)) {
            std::filesystem::create_directories(dir);
            const std::string command = std::string("python3 '") + ORVEX_MAKE_REPERTORY + "' --quiet --out '"
                + file.string() + "' --remedies-file '" + (dir / "remedy.xml").string() + "'";
            if (std::system(command.c_str()) != 0)
                throw std::runtime_error("cannot generate the repertory: " + command);
        }
        return file.string();
    }();
    return path;
}

void BM_BarePugixmlParse(benchmark::State& state)
{
    const std::string path = repertoryPath();
    for (auto _ : state) {
        pugi::xml_document document;
        benchmark::DoNotOptimize(document.load_file(path.c_str()));
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(std::filesystem::file_size(path)));
}

void BM_FullSearch(benchmark::State& state)
{
    const std::string path = repertoryPath();
    orvex::SearchRequest request;
    request.chapterEntries = {"Mind", "Mouth", "Eyes", "Perspiration", "Skin"};
    request.chapterText = "Mind";
    request.remedyTexts = {"Sulph.", "Calc.", "Lyc."};
    request.mode = state.range(0) == 0 ? orvex::CompareMode::Different : orvex::CompareMode::Similar;
    orvex::ComparisonSearch search;
    orvex::SilentMessageSink sink;
    std::uint64_t lines = 0;
    for (auto _ : state) {
        orvex::CurrentDocument document;
        lines = search.run(request, document, sink, path).matchCount;
    }
    state.counters["lines"] = static_cast<double>(lines);
}

orvex::ResultLists randomLists(std::size_t size)
{
    std::mt19937 random(7);
    std::uniform_int_distribution<int> symptom(0, 60000);
    orvex::ResultLists lists;
    for (auto& list : lists) {
        for (std::size_t i = 0; i < size; ++i)
            list.push_back("Rubric, modality " + std::to_string(symptom(random)));
    }
    return lists;
}

template <bool Literal>
void BM_ReduceDifferent(benchmark::State& state)
{
    const orvex::ResultLists input = randomLists(static_cast<std::size_t>(state.range(0)));
    for (auto _ : state) {
        orvex::ResultLists lists = input;
        if constexpr (Literal)
            orvex::test::literalDisplayDifferentSymptoms(lists);
        else
            orvex::DisplayDifferentSymptoms(lists);
        benchmark::DoNotOptimize(lists);
    }
}

} // namespace

BENCHMARK(BM_BarePugixmlParse)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FullSearch)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReduceDifferent<false>)->Arg(1000)->Arg(2000)->Arg(4000)->Arg(30000)->Unit(benchmark::kMillisecond);
// The step-by-step reduction starts over after every removal, so its time
// grows with the cube of the list length: 30,000-line lists do not finish in
// twenty minutes. The smaller sizes show the growth; ORVEX_BENCH_SLOW=1 adds
// the full size for whoever wants to wait.
BENCHMARK(BM_ReduceDifferent<true>)->Arg(1000)->Arg(2000)->Arg(4000)->Unit(benchmark::kMillisecond)->Iterations(1);

int main(int argc, char** argv)
{
    if (std::getenv("ORVEX_BENCH_SLOW") != nullptr)
        benchmark::RegisterBenchmark("BM_ReduceDifferent<true>/30000", BM_ReduceDifferent<true>)
            ->Arg(30000)->Unit(benchmark::kMillisecond)->Iterations(1);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
