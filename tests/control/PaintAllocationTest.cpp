// Painting runs on every key press: for any value the setter accepts it must not touch the
// heap, nor must checking a 13-digit number. Counted with a replaced global operator new.

#include <gtest/gtest.h>

#include <cstdlib>
#include <new>
#include <string>

#include "control/Barcode.h"
#include "control/ControlHost.h"
#include "control/MemoryPropertyStore.h"
#include "model/EAN.h"
#include "model/Modulo10.h"
#include "platform/gdi/SoftwareSurface.h"

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

// A host that itself allocates nothing while the control paints.
class QuietHost final : public ControlHost {
  public:
    void Repaint() override {
        surface.Fill(kWhite);
        control.OnPaint();
    }
    void PropertyChanged(std::string_view) override {}
    void RaiseEvent(int) override { ++events; }
    void SetEnabledState(bool) override {}
    DrawingSurface& Surface() override { return surface; }
    float DrawingAreaHeight() override { return 81.0f; }
    void SetWidth(float) override {}
    float TwipsPerPixel() override { return 15.0f; }

    gdi::SoftwareSurface surface{Barcode::Width, 81};
    Barcode control{*this};
    int events = 0;
};

template <class Work>
std::size_t AllocationsOf(Work&& work) {
    const std::size_t before = allocations;
    work();
    return allocations - before;
}

TEST(PaintAllocation, PaintingAnAcceptedValueAllocatesNothing) {
    QuietHost host;
    host.control.OnNewInstance();
    for (const char* value : {"", "5", "540", "540010110997", "5400101109971", "5400101109972",
                              "0012345678905", "12.5", " 12", "-0", "1e5", "9780201379624"}) {
        host.control.Value(value);
        const int eventsBefore = host.events;
        EXPECT_EQ(AllocationsOf([&] { host.Repaint(); }), 0u) << value;
        host.control.Value(std::string(value) == "5" ? "7" : "5");
        EXPECT_EQ(AllocationsOf([&] { host.Repaint(); }), 0u) << "changed: " << value;
        EXPECT_GT(host.events, eventsBefore);
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
