#pragma once

#include <cmath>
#include <cstdint>
#include <optional>

namespace varnholt {

// The nearest signed 32-bit integer, a half going to the even neighbour (65.5 gives 66,
// 66.5 gives 66); nothing for NaN and for values that round outside the 32-bit range.
inline std::optional<std::int32_t> RoundToInt32(double value) noexcept {
    if (!(value >= -2147483648.5 && value <= 2147483647.5)) {
        return std::nullopt;
    }
    // std::round is exact, where adding 0.5 first can round up a value just below a half.
    double rounded = std::round(value);
    if (std::fabs(rounded - value) == 0.5) {
        rounded = 2.0 * std::round(value / 2.0);  // a tie: the even neighbour
    }
    if (rounded < -2147483648.0 || rounded > 2147483647.0) {
        return std::nullopt;
    }
    return static_cast<std::int32_t>(rounded);
}

}  // namespace varnholt
