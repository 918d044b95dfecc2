#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace varnholt {

// The bar code symbologies of the EAN/UPC family: the main symbols and the two add-ons printed
// to their right.
enum class Symbology : std::uint8_t { Ean13, Ean8, UpcA, UpcE, Ean2, Ean5 };

// The digits each symbology encodes, check digit included, in the order of Symbology.
inline constexpr std::array<std::size_t, 6> kSymbologyDigits{13, 8, 12, 8, 2, 5};
// The modules of each symbology's symbol, quiet zones left out, in the order of Symbology.
inline constexpr std::array<std::size_t, 6> kSymbologyModules{95, 67, 95, 51, 20, 47};

// How many digits the symbology encodes: 13 for EAN-13, 12 for UPC-A, 8 for UPC-E, and so on.
constexpr std::size_t DigitCountOf(Symbology symbology) noexcept {
    return kSymbologyDigits[static_cast<std::size_t>(symbology)];
}

// How many modules wide the symbology's symbol is, quiet zones left out.
constexpr std::size_t ModuleCountOf(Symbology symbology) noexcept {
    return kSymbologyModules[static_cast<std::size_t>(symbology)];
}

}  // namespace varnholt
