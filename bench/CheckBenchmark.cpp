// Checking a 13-digit number: our two checks against ZXing-cpp's GTIN check-digit test.

#include <benchmark/benchmark.h>

#include <string>

#include <ZXing/GTIN.h>

#include "bench/AllocationCounter.h"
#include "model/EAN.h"
#include "model/Modulo10.h"

namespace varnholt::bench {
namespace {

// Runs `check` on a right 13-digit number, so that every check runs to the end. The number
// is hidden from the optimiser each time, so no call can be hoisted out of the loop.
template <class Check>
void Run(benchmark::State& state, Check&& check) {
    std::string number = "5400101109971";
    bool right = false;
    const auto once = [&] {
        benchmark::DoNotOptimize(number);
        right = check(number);
        benchmark::DoNotOptimize(right);
    };
    for (auto _ : state) {
        once();
    }
    state.counters["allocs"] = AllocationsPerCall(once);
    state.counters["right"] = right ? 1 : 0;
}

void CheckModulo10(benchmark::State& state) {
    Modulo10 modulo;
    Run(state, [&](const std::string& number) { return modulo.Check(number); });
}
BENCHMARK(CheckModulo10);

void CheckEAN(benchmark::State& state) {
    EAN ean;
    Run(state, [&](const std::string& number) { return ean.Check(number); });
}
BENCHMARK(CheckEAN);

void CheckZXing(benchmark::State& state) {
    Run(state, [](const std::string& number) { return ZXing::GTIN::IsCheckDigitValid(number); });
}
BENCHMARK(CheckZXing);

}  // namespace
}  // namespace varnholt::bench
