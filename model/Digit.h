#pragma once

#include <cstdint>

namespace varnholt {

// The ten ASCII digits, by exact character comparison: no locale, no other digit forms.
constexpr bool IsDigit(char c) noexcept {
    return c >= '0' && c <= '9';
}

// 0 to 9 for "0" to "9"; 0 for any other character, as a symbol draws it.
constexpr std::int16_t DigitValue(char c) noexcept {
    return IsDigit(c) ? static_cast<std::int16_t>(c - '0') : std::int16_t{0};
}

}  // namespace varnholt
