// Full-size figures: the synthetic repertory is generated on first run into
// $ORVEX_BENCH_DIR (default /tmp/orvex-bench) and reused afterwards, as are
// the hostile files (amplified rubric, deep nesting). Compare the search with
// the bare parses in one interleaved run:
//   orvex_bench --benchmark_filter='Bare|FullSearch' --benchmark_repetitions=5
//               --benchmark_enable_random_interleaving=true
// The data check of the same repertory is held to 1.5 times the full search:
//   orvex_bench --benchmark_filter='FullSearch/0|Check' --benchmark_repetitions=5
//               --benchmark_enable_random_interleaving=true
#include "core/repertory/ComparisonSearch.h"
#include "core/data/DataCheck.h"
#include "support/LiteralResultBuilder.h"
#include "core/data/RemedyList.h"
#include "core/repertory/RepertorySearch.h"
#include "core/data/StringTable.h"
#include "core/xml/CurrentDocument.h"
#include "core/xml/XmlParser.h"

#include <benchmark/benchmark.h>
#include <pugixml.hpp>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <random>
#include <stdexcept>

namespace {

std::filesystem::path benchDir()
{
    const char* env = std::getenv("ORVEX_BENCH_DIR");
    return env ? env : "/tmp/orvex-bench";
}

// A generated file, written once: `write` fills it.
std::string generatedFile(const std::string& name, const std::function<void(std::ostream&)>& write)
{
    const auto file = benchDir() / name;
    if (!std::filesystem::exists(file)) {
        std::filesystem::create_directories(benchDir());
        std::ofstream out(file, std::ios::binary);
        write(out);
        if (!out)
            throw std::runtime_error("cannot write " + file.string());
    }
    return file.string();
}

std::string repeated(std::string_view text, std::size_t times)
{
    std::string result;
    result.reserve(text.size() * times);
    for (std::size_t i = 0; i < times; ++i)
        result += text;
    return result;
}

constexpr std::size_t kNesting = 100000;

std::string repertoryPath()
{
    static const std::string path = [] {
        const std::filesystem::path dir = benchDir();
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

// The floor under any search that checks every byte: libxml2 reading the
// file with no callbacks at all.
void BM_BareLibxml2Parse(benchmark::State& state)
{
    const std::string path = repertoryPath();
    xmlSAXHandler nothing{};
    nothing.initialized = XML_SAX2_MAGIC;
    for (auto _ : state) {
        orvex::XmlParser parser(path, &nothing);
        benchmark::DoNotOptimize(parser.parse());
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(std::filesystem::file_size(path)));
}

// The same with callbacks that do nothing: the cost of being told.
void BM_Libxml2NoOpEvents(benchmark::State& state)
{
    const std::string path = repertoryPath();
    xmlSAXHandler events{};
    xmlSAXVersion(&events, 2);
    events.startElementNs = [](void*, const xmlChar*, const xmlChar*, const xmlChar*, int, const xmlChar**, int, int,
                               const xmlChar**) {};
    events.endElementNs = [](void*, const xmlChar*, const xmlChar*, const xmlChar*) {};
    events.characters = [](void*, const xmlChar*, int) {};
    events.ignorableWhitespace = events.characters;
    for (auto _ : state) {
        orvex::XmlParser parser(path, &events);
        benchmark::DoNotOptimize(parser.parse());
    }
}

// The repertory pass alone, without result building.
void BM_StreamOnly(benchmark::State& state)
{
    const std::string path = repertoryPath();
    for (auto _ : state)
        benchmark::DoNotOptimize(orvex::searchRepertoryFile(path, "mi", {"Sulph.", "Calc.", "Lyc."}, {true, true, true}));
}

std::uint64_t search(const std::string& path, orvex::CompareMode mode, const std::array<std::string, 3>& remedies)
{
    orvex::SearchRequest request;
    request.chapterEntries = {"Mind", "Mouth", "Eyes", "Perspiration", "Skin"};
    request.chapterText = "Mind";
    request.remedyTexts = remedies;
    request.mode = mode;
    orvex::ComparisonSearch search;
    orvex::SilentMessageSink sink;
    orvex::CurrentDocument document;
    return search.run(request, document, sink, path).matchCount;
}

void BM_FullSearch(benchmark::State& state)
{
    const std::string path = repertoryPath();
    const auto mode = state.range(0) == 0 ? orvex::CompareMode::Different : orvex::CompareMode::Similar;
    std::uint64_t lines = 0;
    for (auto _ : state)
        lines = search(path, mode, {"Sulph.", "Calc.", "Lyc."});
    state.counters["lines"] = static_cast<double>(lines);
}

// The whole data check: remedy list, strings and one pass over the repertory.
void BM_Check(benchmark::State& state)
{
    const std::string path = repertoryPath();
    const std::string remedies = (benchDir() / "remedy.xml").string();
    const std::string strings = generatedFile("list.xml", [](std::ostream& out) {
        out << "<strings>";
        for (const auto& [key, code] : orvex::kChapters)
            out << "<string><name>" << key << "</name>" << code << "</string>";
        out << "</strings>";
    });
    std::uint64_t findings = 0;
    for (auto _ : state)
        findings = orvex::checkDataFiles(remedies, strings, path).findingCount();
    state.counters["findings"] = static_cast<double>(findings);
}

// One 1 MB rubric listing a remedy 3,000 times: the line is kept once.
void BM_AmplifiedRubric(benchmark::State& state)
{
    const std::string path = generatedFile("amplified.xml", [](std::ostream& out) {
        out << "<list><symptom><category name=\"mi\"><rubric>" << repeated("Fear of the dark, ", 1 << 16)
            << repeated("<remedy>Bell.</remedy>", 3000) << "</rubric></category></symptom></list>";
    });
    std::uint64_t lines = 0;
    for (auto _ : state)
        lines = search(path, orvex::CompareMode::Different, {"Bell.", "....", "...."});
    state.counters["lines"] = static_cast<double>(lines);
}

// 100,000 nested remedy elements: refused at the parser's depth limit, at once.
void BM_NestedRepertory(benchmark::State& state)
{
    const std::string path = generatedFile("nested-repertory.xml", [](std::ostream& out) {
        out << "<list><symptom><category name=\"mi\"><rubric>Line" << repeated("<remedy>", kNesting) << "Bell."
            << repeated("</remedy>", kNesting) << "</rubric></category></symptom></list>";
    });
    std::uint64_t lines = 0;
    for (auto _ : state)
        lines = search(path, orvex::CompareMode::Different, {"Bell.", "....", "...."});
    state.counters["lines"] = static_cast<double>(lines);
}

// A strings document whose entries nest 100,000 deep: refused at once.
void BM_NestedStrings(benchmark::State& state)
{
    const std::string path = generatedFile("nested-list.xml", [](std::ostream& out) {
        out << "<list>" << repeated("<string><name>strRemedy1</name>Remedy", kNesting)
            << repeated("</string>", kNesting) << "</list>";
    });
    for (auto _ : state) {
        orvex::CurrentDocument document;
        orvex::SilentMessageSink sink;
        orvex::LoadXmlDocument(document, path, sink);
        benchmark::DoNotOptimize(orvex::LoadTextTable(document));
    }
}

// A remedy list whose entries nest 100,000 deep: refused at once.
void BM_NestedRemedyList(benchmark::State& state)
{
    const std::string path = generatedFile("nested-remedy.xml", [](std::ostream& out) {
        out << "<remedies>" << repeated("<remedy>Bell.", kNesting) << repeated("</remedy>", kNesting) << "</remedies>";
    });
    for (auto _ : state) {
        orvex::CurrentDocument document;
        orvex::SilentMessageSink sink;
        orvex::LoadXmlDocument(document, path, sink);
        benchmark::DoNotOptimize(orvex::remedyPickerEntries(document));
    }
}

// Hostile repertories, each refused by the parser's limits: a 100 KB entity
// referenced 20,000 times (160 KB), parameter entities nested four levels of
// ten (under 600 bytes), one element with 300,000 attributes (3 MB). Each
// refusal is held to well under a second (the entities: 100 ms).
void refused(benchmark::State& state, const std::string& path)
{
    for (auto _ : state) {
        if (orvex::searchRepertoryFile(path, "mi", {"Bell.", "....", "...."}, {true, false, false}).loaded)
            state.SkipWithError("loaded");
    }
}

void BM_HostileEntityBomb(benchmark::State& state)
{
    refused(state, generatedFile("hostile-entity-bomb.xml", [](std::ostream& out) {
        out << "<!DOCTYPE list [<!ENTITY e '" << std::string(100000, 'x') << "'>]><list><symptom><category name=\"mi\">"
            << repeated("&e;", 20000) << "<remedy>Bell.</remedy></category></symptom></list>";
    }));
}

void BM_HostileParameterEntities(benchmark::State& state)
{
    refused(state, generatedFile("hostile-parameter-entities.xml", [](std::ostream& out) {
        out << "<!DOCTYPE list [<!ENTITY % a '<!-- a comment -->'>";
        for (const char* name : {"b", "c", "d", "e"})
            out << "<!ENTITY % " << name << " '" << repeated(std::string("&#37;") + static_cast<char>(name[0] - 1) + ";", 10) << "'>";
        out << "%e;%e;%e;%e;%e;%e;%e;%e;%e;%e;]><list/>";
    }));
}

void BM_HostileAttributes(benchmark::State& state)
{
    refused(state, generatedFile("hostile-attributes.xml", [](std::ostream& out) {
        out << "<list";
        for (int i = 0; i < 300000; ++i)
            out << " a" << i << "=''";
        out << "/>";
    }));
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
BENCHMARK(BM_BareLibxml2Parse)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Libxml2NoOpEvents)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_StreamOnly)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FullSearch)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Check)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_AmplifiedRubric)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_NestedRepertory)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_NestedStrings)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_NestedRemedyList)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_HostileEntityBomb)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_HostileParameterEntities)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_HostileAttributes)->Unit(benchmark::kMillisecond);
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
