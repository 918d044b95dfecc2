// `varnholt check` over a file of a million lines, run in this process as the program runs
// it, against a bare loop over the same lines held in memory that calls ZXing-cpp's
// GTIN::IsCheckDigitValid. The files are named by VARNHOLT_CHECK_LINES (GTIN-13s),
// VARNHOLT_CHECK_CSV_LINES (the whole family), VARNHOLT_CHECK_CATALOGUE (a six-column
// catalogue with a header) and VARNHOLT_CHECK_GS1_LINES (GS1 data in its three syntaxes);
// ratios.py makes them.

#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

#include <ZXing/GTIN.h>

#include "bench/AllocationCounter.h"
#include "cli/CommandLine.h"
#include "cli/Streams.h"

namespace varnholt::bench {
namespace {

// GTIN-13s, and the whole family for the rows with every fact (ratios.py makes both).
const char* LinesFile(const char* variable = "VARNHOLT_CHECK_LINES") {
    return std::getenv(variable);
}

std::vector<std::string> ReadLines(const char* path) {
    std::vector<std::string> lines;
    std::ifstream in(path);
    for (std::string line; std::getline(in, line);) {
        lines.push_back(line);
    }
    return lines;
}

// Standard error's summary, which nobody reads here.
class Discard final : public cli::ByteSink {
  public:
    Result<Done> Write(std::string_view) override { return Done{}; }
};

// Runs check as `varnholt check OPTION... FILE >/dev/null` would, once per iteration.
void RunCheckCommand(benchmark::State& state, std::initializer_list<const char*> options,
                     const char* variable) {
    const char* path = LinesFile(variable);
    if (path == nullptr) {
        state.SkipWithError("the benchmark's input file is not named");
        return;
    }
    const int devNull = ::open("/dev/null", O_WRONLY | O_CLOEXEC);
    files::DescriptorSink out(devNull);
    Discard err;
    const cli::Streams streams{out, err, false, false};
    std::vector<const char*> argv{"varnholt", "check"};
    argv.insert(argv.end(), options);
    argv.push_back(path);
    int status = 0;
    const auto once = [&] {
        status = cli::Run(static_cast<int>(argv.size()), argv.data(), streams);
        benchmark::DoNotOptimize(status);
    };
    for (auto _ : state) {
        once();
    }
    const auto lines = static_cast<double>(ReadLines(path).size());
    state.counters["allocs/line"] = AllocationsPerCall(once) / lines;
    state.counters["status"] = status;
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations()) *
                            static_cast<std::int64_t>(lines));
    ::close(devNull);
}

void CheckCommandCount(benchmark::State& state) {
    RunCheckCommand(state, {"--quiet"}, "VARNHOLT_CHECK_LINES");
}
BENCHMARK(CheckCommandCount)->Unit(benchmark::kMillisecond);

void CheckCommandCsv(benchmark::State& state) {
    RunCheckCommand(state, {"--format=csv"}, "VARNHOLT_CHECK_CSV_LINES");
}
BENCHMARK(CheckCommandCsv)->Unit(benchmark::kMillisecond);

void CheckCommandCatalogue(benchmark::State& state) {
    RunCheckCommand(state, {"--column=ean", "--format=csv"}, "VARNHOLT_CHECK_CATALOGUE");
}
BENCHMARK(CheckCommandCatalogue)->Unit(benchmark::kMillisecond);

// Verdicts and counts alone, as stdnum's validate gives them.
void CheckCommandGs1Count(benchmark::State& state) {
    RunCheckCommand(state, {"--quiet"}, "VARNHOLT_CHECK_GS1_LINES");
}
BENCHMARK(CheckCommandGs1Count)->Unit(benchmark::kMillisecond);

void CheckCommandGs1Csv(benchmark::State& state) {
    RunCheckCommand(state, {"--format=csv"}, "VARNHOLT_CHECK_GS1_LINES");
}
BENCHMARK(CheckCommandGs1Csv)->Unit(benchmark::kMillisecond);

void CheckLinesZXing(benchmark::State& state) {
    const char* path = LinesFile();
    if (path == nullptr) {
        state.SkipWithError("VARNHOLT_CHECK_LINES names no file");
        return;
    }
    const std::vector<std::string> lines = ReadLines(path);
    for (auto _ : state) {
        std::size_t valid = 0;
        for (const std::string& line : lines) {
            valid += ZXing::GTIN::IsCheckDigitValid(line) ? 1u : 0u;
        }
        benchmark::DoNotOptimize(valid);
    }
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations()) *
                            static_cast<std::int64_t>(lines.size()));
}
BENCHMARK(CheckLinesZXing)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace varnholt::bench
