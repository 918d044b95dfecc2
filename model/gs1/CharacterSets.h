#pragma once

#include <array>
#include <cstdint>
#include <string_view>

#include "model/gs1/AiEntry.h"

namespace varnholt::gs1 {

// GS1's 82 characters, in the order whose positions the check pair of a model number weighs.
inline constexpr std::string_view kCset82 =
    "!\"%&'()*+,-./0123456789:;<=>?ABCDEFGHIJKLMNOPQRSTUVWXYZ_abcdefghijklmnopqrstuvwxyz";
inline constexpr std::string_view kCset39 = "#-/0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ";
inline constexpr std::string_view kBase64Url =
    "-0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ_abcdefghijklmnopqrstuvwxyz";
inline constexpr std::string_view kDigits = "0123456789";

namespace detail {

// One bit a set, by CharacterSet's value, for every byte: a character's test is one load.
inline constexpr std::array<std::uint8_t, 256> kMembership = [] {
    std::array<std::uint8_t, 256> bits{};
    const std::array<std::string_view, 4> sets{kDigits, kCset82, kCset39, kBase64Url};
    for (std::size_t set = 0; set < sets.size(); ++set) {
        for (const char c : sets[set]) {
            bits[static_cast<unsigned char>(c)] |= static_cast<std::uint8_t>(1U << set);
        }
    }
    return bits;
}();

}  // namespace detail

// Whether `c` belongs to `set`.
constexpr bool InSet(CharacterSet set, char c) noexcept {
    const unsigned bits = detail::kMembership[static_cast<unsigned char>(c)];
    return (bits >> static_cast<unsigned>(set) & 1U) != 0;
}

// The first character of `text` outside `set`, as an index; text.size() when there is none.
constexpr std::size_t FirstOutside(CharacterSet set, std::string_view text) noexcept {
    // Data is nearly always right: every byte is looked at first with no way out early, so
    // that the compiler looks at many at once, and the place is sought only for wrong data.
    // Bytes are gathered in a byte, so that as many go at once as a vector holds; digits, the
    // most common set, by their value rather than a table the vector cannot look up.
    std::uint8_t outside = 0;
    if (set == CharacterSet::Numeric) {
        for (const char c : text) {
            outside |= static_cast<std::uint8_t>(c < '0' || c > '9');
        }
    } else {
        for (const char c : text) {
            outside |= static_cast<std::uint8_t>(!InSet(set, c));
        }
    }
    if (outside == 0) {
        return text.size();
    }
    std::size_t i = 0;
    while (i < text.size() && InSet(set, text[i])) {
        ++i;
    }
    return i;
}

}  // namespace varnholt::gs1
