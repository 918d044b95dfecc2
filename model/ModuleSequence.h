#pragma once

#include <array>
#include <cstddef>
#include <string_view>

namespace varnholt {

// The modules of a complete EAN-13 (95) or EAN-8 (67) symbol, left to right: start guard,
// left-half digits, centre guard, right-half digits, end guard. The first digit of an
// EAN-13 number is carried by the parity of the left half, not by modules of its own.
struct ModuleSequence {
    static constexpr std::size_t kEan13Modules = 95;
    static constexpr std::size_t kEan8Modules = 67;

    std::array<char, kEan13Modules> modules{};  // '1' dark, '0' light
    std::size_t count = 0;                      // 95, 67, or 0 when there is no symbol

    // The modules as text of '1' and '0'; empty when there is no symbol.
    std::string_view Text() const noexcept { return {modules.data(), count}; }
    // Whether the module belongs to a guard pattern, whose bars reach below the digits'.
    bool IsGuard(std::size_t module) const noexcept;
};

// The modules of `digits`, exactly 13 or 8 ASCII digits, check digit included and encoded as
// it stands (whether it is right is EAN::Check's business). No symbol for anything else.
ModuleSequence ModulesOf(std::string_view digits) noexcept;

}  // namespace varnholt
