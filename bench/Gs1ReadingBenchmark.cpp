// Reading and checking one line of GS1 data in each syntax, with its heap allocations: a
// valid line should need none. The peer is python3-stdnum's gs1_128.validate (gs1_peer.py).

#include <benchmark/benchmark.h>

#include <string>

#include "bench/AllocationCounter.h"
#include "model/gs1/Bracketed.h"
#include "model/gs1/DigitalLink.h"
#include "model/gs1/ScannerData.h"

namespace varnholt::bench {
namespace {

template <class Read>
void Run(benchmark::State& state, std::string line, Read read) {
    bool valid = false;
    const auto once = [&] {
        benchmark::DoNotOptimize(line);
        valid = static_cast<bool>(read(line, gs1::ReadOptions{}));
        benchmark::DoNotOptimize(valid);
    };
    for (auto _ : state) {
        once();
    }
    state.counters["allocs"] = AllocationsPerCall(once);
    state.counters["valid"] = valid ? 1 : 0;
}

void ReadGs1Bracketed(benchmark::State& state) {
    Run(state, "(01)09506000134352(17)271231(10)AB-123(21)A1B2", gs1::ReadBracketed);
}
BENCHMARK(ReadGs1Bracketed);

void ReadGs1ScannerData(benchmark::State& state) {
    Run(state,
        "]d201095060001343521727123110AB-123\x1D"
        "21A1B2",
        gs1::ReadScannerData);
}
BENCHMARK(ReadGs1ScannerData);

void ReadGs1DigitalLink(benchmark::State& state) {
    Run(state, "https://id.gs1.org/01/09506000134352/10/AB-123/21/A1B2?17=271231",
        gs1::ReadDigitalLink);
}
BENCHMARK(ReadGs1DigitalLink);

}  // namespace
}  // namespace varnholt::bench
