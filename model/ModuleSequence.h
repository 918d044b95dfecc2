#pragma once

#include <array>
#include <cstddef>
#include <string_view>

#include "model/Symbology.h"

namespace varnholt {

// The modules of a complete symbol, left to right. EAN-13 (95), UPC-A (95) and EAN-8 (67):
// start guard, left-half digits, centre guard, right-half digits, end guard; the first digit
// of an EAN-13 number is carried by the parity of the left half, not by modules of its own.
// UPC-E (51): start guard, six digits, end guard. The add-ons EAN-2 (20) and EAN-5 (47): a
// start pattern, then the digits with a separator between each two.
struct ModuleSequence {
    static constexpr std::size_t kEan13Modules = 95;
    static constexpr std::size_t kEan8Modules = 67;

    std::array<char, kEan13Modules> modules{};  // '1' dark, '0' light
    std::size_t count = 0;                      // ModuleCountOf(symbology), or 0: no symbol
    Symbology symbology = Symbology::Ean13;     // the symbology the modules were asked in

    // The modules as text of '1' and '0'; empty when there is no symbol.
    std::string_view Text() const noexcept { return {modules.data(), count}; }
    // Whether the module belongs to a guard pattern, whose bars reach below the digits'. The
    // add-ons have none.
    bool IsGuard(std::size_t module) const noexcept;
};

// The modules of `digits`, exactly 13 (EAN-13) or 8 (EAN-8) ASCII digits, check digit
// included and encoded as it stands (whether it is right is EAN::Check's business). No symbol
// for anything else.
ModuleSequence ModulesOf(std::string_view digits) noexcept;

// The modules of `digits` in `symbology`: exactly DigitCountOf(symbology) ASCII digits, a
// UPC-E's first one 0 or 1. A check digit is encoded as it stands, and a UPC-E's picks its
// digits' parity. No symbol for anything else.
ModuleSequence ModulesOf(Symbology symbology, std::string_view digits) noexcept;

}  // namespace varnholt
