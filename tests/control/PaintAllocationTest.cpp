// Painting runs on every key press: for any value the setter accepts it must not touch the
// heap, nor must checking a 13-digit number. Counted with a replaced global operator new.

#include <gtest/gtest.h>

#include <cstdlib>
#include <new>
#include <string>

#include "control/Barcode.h"
#include "control/MemoryPropertyStore.h"
#include "model/EAN.h"
#include "model/Modulo10.h"
#include "raster/RasterHost.h"

namespace {
std::size_t allocations = 0;
}  // namespace

// The replacement pairs malloc with free itself; the compiler cannot see that.
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"

void* operator new(std::size_t size) {
    ++allocations;
    if (void* p = std::malloc(size == 0 ? 1 : size)) {
        return p;
    }
    throw std::bad_alloc();
}
void operator delete(void* p) noexcept {
    std::free(p);
}
void operator delete(void* p, std::size_t) noexcept {
    std::free(p);
}

namespace varnholt {
namespace {

template <class Work>
std::size_t AllocationsOf(Work&& work) {
    const std::size_t before = allocations;
    work();
    return allocations - before;
}

TEST(PaintAllocation, PaintingAnAcceptedValueAllocatesNothing) {
    raster::RasterHost host;
    int changes = 0;
    host.OnEvent([&changes](int) { ++changes; });
    // Each value differs from the one before, so each setting paints and raises Change.
    for (const char* value : {"5", "540", "", "540010110997", "5400101109971", "5400101109972",
                              "0012345678905", "12.5", " 12", "-0", "1e5", "9780201379624"}) {
        const int changesBefore = changes;
        EXPECT_EQ(AllocationsOf([&] { host.Control().Value(value); }), 0u) << value;
        EXPECT_EQ(AllocationsOf([&] { host.Paint(); }), 0u) << "again: " << value;
        EXPECT_EQ(changes, changesBefore + 1) << value;
    }
}

TEST(PaintAllocation, CheckingThirteenDigitsAllocatesNothing) {
    Modulo10 modulo;
    EAN ean;
    EXPECT_EQ(AllocationsOf([&] { EXPECT_TRUE(modulo.Check("5400101109971")); }), 0u);
    EXPECT_EQ(AllocationsOf([&] { EXPECT_TRUE(ean.Check("5400101109971")); }), 0u);
}

}  // namespace
}  // namespace varnholt
