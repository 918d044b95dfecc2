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
    // Adding 1.5 * 2^52 leaves no bits below the units, so the addition itself rounds to the
    // nearest integer, a tie to the even one, exactly (where adding 0.5 and cutting can round
    // up a value just below a half); taking it away again is exact. Inline, where std::round
    // is a call the paint makes for every bar.
    constexpr double kUnitsOnly = 0x1.8p52;
    const double rounded = (value + kUnitsOnly) - kUnitsOnly;
    if (rounded < -2147483648.0 || rounded > 2147483647.0) {
        return std::nullopt;
    }
    return static_cast<std::int32_t>(rounded);
}

}  // namespace varnholt
