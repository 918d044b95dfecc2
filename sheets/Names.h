#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace varnholt::sheets {

// Names in the label files (brands, parts, papers, units) are ASCII, and compared without
// regard to letter case.

// `c` in lower case when it is an ASCII capital.
inline char LowerAscii(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

// `text` in lower case.
std::string Lowered(std::string_view text);

// Whether `a` and `b` are the same in any letter case.
bool SameLettersIgnoringCase(std::string_view a, std::string_view b);

// Whether `a` comes before `b` in a list, in any letter case and with runs of digits by their
// value: "Avery 5160" before "Avery 15160".
bool NaturallyBefore(std::string_view a, std::string_view b);

// How many letters must be put in, taken out or changed to make `a` into `b`.
std::size_t EditDistance(std::string_view a, std::string_view b);

}  // namespace varnholt::sheets
