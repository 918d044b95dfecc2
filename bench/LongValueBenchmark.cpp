// A stored Value of a million characters, which only a property store can hand the control,
// painted against a 13-character one and against copying the long text once.

#include <benchmark/benchmark.h>

#include <string>

#include "bench/AllocationCounter.h"
#include "control/MemoryPropertyStore.h"
#include "raster/RasterHost.h"

namespace varnholt::bench {
namespace {

constexpr std::size_t kLongLength = 1'000'000;

// The default number repeated up to the length.
std::string TextOfLength(std::size_t length) {
    std::string text;
    while (text.size() < length) {
        text += Barcode::DefaultValue;
    }
    text.resize(length);
    return text;
}

void PaintStoredValue(benchmark::State& state) {
    raster::RasterHost host;
    const MemoryPropertyStore store{
        {"Value", TextOfLength(static_cast<std::size_t>(state.range(0)))}};
    host.Control().OnLoad(store);
    host.Control().OnPaint();
    const auto paint = [&] {
        host.Control().OnPaint();
        benchmark::ClobberMemory();
    };
    for (auto _ : state) {
        paint();
    }
    state.counters["allocs"] = AllocationsPerCall(paint);
}
BENCHMARK(PaintStoredValue)->Arg(13)->Arg(kLongLength);

// Assignment into a string that already has the room, so no allocation is timed.
void CopyLongValue(benchmark::State& state) {
    const std::string value = TextOfLength(kLongLength);
    std::string copy(value.size(), ' ');
    const auto assign = [&] {
        copy = value;
        benchmark::DoNotOptimize(copy.data());
        benchmark::ClobberMemory();
    };
    for (auto _ : state) {
        assign();
    }
    state.counters["allocs"] = AllocationsPerCall(assign);
}
BENCHMARK(CopyLongValue);

}  // namespace
}  // namespace varnholt::bench
