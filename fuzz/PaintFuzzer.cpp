// Painting any stored Value (any bytes, up to 1 MB) with any ForeColor, while the host
// reports any drawing-area height (negative, 0, huge, NaN, infinite) for a raster that stays
// 115 x 81. The ReferenceSurface catches any pixel written where no drawing call put it.
// Input: the height's 4 bytes (a float, little-endian), ForeColor's 4 bytes, a flags byte
// (bit 0 Enabled; bits 1-3 pick a special height instead, see kHeights), a widening byte
// (see Widen), then the value.

#include <array>
#include <cstdint>
#include <limits>
#include <string>

#include "control/MemoryPropertyStore.h"
#include "fuzz/FuzzHost.h"
#include "fuzz/FuzzInput.h"
#include "fuzz/PaintChecks.h"
#include "fuzz/Require.h"

namespace varnholt::fuzz {
namespace {

constexpr std::size_t kLongest = 1 << 20;

// Heights a random bit pattern seldom gives; index 0 keeps the input's own float.
constexpr std::array<float, 8> kHeights{0.0f,
                                        std::numeric_limits<float>::quiet_NaN(),
                                        std::numeric_limits<float>::infinity(),
                                        -std::numeric_limits<float>::infinity(),
                                        std::numeric_limits<float>::max(),
                                        2147483647.0f,
                                        -2147483648.0f,
                                        1.0f};

}  // namespace
}  // namespace varnholt::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace varnholt;
    using namespace varnholt::fuzz;
    FuzzInput input(data, size);
    float height = input.Take<float>();
    const auto color = input.Take<std::uint32_t>();
    const auto flags = input.Take<std::uint8_t>();
    const auto width = input.Take<std::uint8_t>();
    const std::string value = Widen(input.Rest(), width, kLongest);
    if (const unsigned special = (flags >> 1) & 7u; special != 0) {
        height = kHeights[special];
    }

    FuzzHost host(height);
    // The setter refuses most texts; a stored value is taken as it stands.
    const MemoryPropertyStore store{{"Value", value},
                                    {"ForeColor", static_cast<std::int32_t>(color)},
                                    {"Enabled", (flags & 1) != 0}};
    host.Control().OnLoad(store);
    VARNHOLT_REQUIRE(host.Control().Value() == value);
    VARNHOLT_REQUIRE(host.Control().ForeColor() == color);

    host.Paint();
    RequireSoundPaint(host);
    VARNHOLT_REQUIRE(host.Count("RaiseEvent 1") == (value.empty() ? 0 : 1));

    // Painting the same value again draws the same and raises nothing.
    const std::vector<std::uint32_t> first(host.Raster().Pixels().begin(),
                                           host.Raster().Pixels().end());
    host.Paint();
    RequireSoundPaint(host);
    VARNHOLT_REQUIRE(std::ranges::equal(first, host.Raster().Pixels()));
    VARNHOLT_REQUIRE(host.Count("RaiseEvent 1") == (value.empty() ? 0 : 1));
    return 0;
}
