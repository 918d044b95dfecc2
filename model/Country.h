#pragma once

#include <cstdint>
#include <string_view>

namespace varnholt {

// What the GS1 prefix of a number stands for: the ISO 3166-1 alpha-2 code(s) of the country
// whose GS1 organisation owns it, joined by "-" ("BE-LU"), or "ISSN", "ISBN", "ISMN"; empty
// when the prefix serves none or the number has fewer than two characters. A character that
// is not a digit counts as 0 in the first two places; the first three characters are read as
// a number ("038" and "38" alike) to find a single prefix. Validity plays no part.
std::string_view CountryOf(std::string_view number) noexcept;

// The same from its parts: the digit values of the first two characters and the number's
// first three characters (all of it when shorter).
std::string_view CountryOf(std::int16_t firstDigit, std::int16_t secondDigit,
                           std::string_view firstThree) noexcept;

}  // namespace varnholt
