#pragma once

#include <algorithm>
#include <string>
#include <string_view>

namespace varnholt {

// Names people type (formats, colours, columns, label products, properties) are compared
// with ASCII letters folded to lower case; other bytes must match exactly, whatever the
// locale.

// `c` in lower case when it is an ASCII capital.
constexpr char LowerAscii(char c) noexcept {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

// `text` with its ASCII capitals in lower case.
inline std::string Lowered(std::string_view text) {
    std::string lowered(text);
    std::ranges::transform(lowered, lowered.begin(), LowerAscii);
    return lowered;
}

// Whether `a` and `b` are the same in any letter case.
constexpr bool EqualsIgnoringCase(std::string_view a, std::string_view b) noexcept {
    return std::ranges::equal(a, b, [](char x, char y) { return LowerAscii(x) == LowerAscii(y); });
}

}  // namespace varnholt
