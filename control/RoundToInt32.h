#pragma once

#include <cmath>
#include <cstdint>
#include <optional>

namespace varnholt {

// The nearest signed 32-bit integer, a half going to the even neighbour (65.5 gives 66,
// 66.5 gives 66); nothing for NaN and for values that round outside the 32-bit range.
constexpr std::optional<std::int32_t> RoundToInt32(double value) noexcept {
    if (!(value >= -2147483648.5 && value <= 2147483647.5)) {
        return std::nullopt;
    }
    const double rounded = std::floor(value + 0.5);
    // In range, so the parity of a tie is that of a 64-bit integer: no fmod, which painting,
    // calling this for every bar, would pay for.
    auto integer = static_cast<std::int64_t>(rounded);
    if (rounded - value == 0.5 && integer % 2 != 0) {
        integer -= 1;
    }
    if (integer < INT32_MIN || integer > INT32_MAX) {
        return std::nullopt;
    }
    return static_cast<std::int32_t>(integer);
}

}  // namespace varnholt
