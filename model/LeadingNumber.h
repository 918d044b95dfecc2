#pragma once

#include <cstddef>
#include <string_view>

namespace varnholt {

// The number a text begins with, read leniently: blanks skipped, an optional sign, decimal
// digits with at most one decimal point, then an optional exponent ("e", optional sign,
// digits). Reading stops at the first character that does not fit.
struct LeadingNumber {
    double value = 0.0;      // 0 when the text begins with no number
    std::size_t length = 0;  // characters read, leading blanks included; 0 when there is no number
};

// Reads the number that `text` begins with; never fails and reads no further than needed.
LeadingNumber ReadLeadingNumber(std::string_view text) noexcept;

// True when `text` as a whole is one number as ReadLeadingNumber reads it, with blanks allowed
// before and after. The empty text, a lone sign or point, and anything with other characters
// (letters, inner blanks, a second point) are not numeric.
bool IsNumericText(std::string_view text) noexcept;

}  // namespace varnholt
