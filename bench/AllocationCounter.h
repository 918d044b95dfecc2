#pragma once

#include <cstddef>

namespace varnholt::bench {

// Calls of the global operator new so far in this process; the binary replaces it to count.
std::size_t Allocations() noexcept;

// Heap allocations per call of `work`, counted over many calls outside the timed loop, so
// that nothing the benchmark library does in between is counted.
template <class Work>
double AllocationsPerCall(Work&& work) {
    constexpr int kCalls = 100;
    const std::size_t before = Allocations();
    for (int i = 0; i < kCalls; ++i) {
        work();
    }
    return static_cast<double>(Allocations() - before) / kCalls;
}

}  // namespace varnholt::bench
