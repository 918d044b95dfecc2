#pragma once

#include <array>
#include <optional>
#include <string_view>

namespace varnholt {

// A UPC-E is a GTIN-12 of number system 0 or 1 with four or five of its zeros suppressed.
// Both carry the same check digit, the GTIN-12's, which neither direction judges.

// The GTIN-12 of a UPC-E's eight digits (number system 0 or 1, six digits, check digit); the
// sixth digit says where the zeros go back. Nothing for any other text.
std::optional<std::array<char, 12>> ExpandUpcE(std::string_view upcE) noexcept;

// The UPC-E of a GTIN-12's twelve digits; nothing when its number system is not 0 or 1, or
// its manufacturer and product codes hold too few zeros to suppress, or for any other text.
std::optional<std::array<char, 8>> CompressToUpcE(std::string_view gtin12) noexcept;

}  // namespace varnholt
