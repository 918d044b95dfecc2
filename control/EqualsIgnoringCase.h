#pragma once

#include <algorithm>
#include <string_view>

namespace varnholt {

// Compares two texts with ASCII letters folded to lower case; other bytes must match exactly,
// whatever the locale.
constexpr bool EqualsIgnoringCase(std::string_view a, std::string_view b) noexcept {
    constexpr auto fold = [](char c) {
        return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c;
    };
    return std::ranges::equal(a, b, [fold](char x, char y) { return fold(x) == fold(y); });
}

}  // namespace varnholt
