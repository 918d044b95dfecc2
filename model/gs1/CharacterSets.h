#pragma once

#include <array>
#include <cstdint>
#include <string_view>
#include <type_traits>

#include "model/Swar.h"
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
    // Digits, the most common set, by their value, a word at a time.
    if (set == CharacterSet::Numeric && !std::is_constant_evaluated()) {
        return swar::FindFirst(text, 0, swar::NotDigit, [](char c) { return c < '0' || c > '9'; });
    }
    std::size_t i = 0;
    while (i < text.size() && InSet(set, text[i])) {
        ++i;
    }
    return i;
}

}  // namespace varnholt::gs1
