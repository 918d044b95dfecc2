#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "model/Result.h"

namespace varnholt {

// A GS1-128 symbol: its Code 128 symbol characters and the bars and spaces they make.
struct Gs1128Symbol {
    // GS1's limit on data characters, the FNC1 separators among them (GS1's general
    // standard, section 5.4).
    static constexpr std::size_t kMaxDataCharacters = 48;
    // The light margin each side needs, in modules; not part of Modules().
    static constexpr std::size_t kQuietZoneModules = 10;

    // The symbol character values in order: a Start, FNC1, the data with any code set changes,
    // the modulo 103 check character and the Stop (106).
    std::vector<std::uint8_t> characters;

    // Width of the symbol in modules, Start to Stop, quiet zones not included.
    std::size_t Modules() const noexcept;
    // Widths of the bars and spaces in modules, left to right, a bar first and a bar last.
    std::vector<std::uint8_t> Widths() const;
    // One character a module, '1' dark and '0' light, left to right.
    std::string Text() const;
};

// The GS1-128 symbol of an encoded element string: bytes 0-127, the byte GS (0x1D) standing
// for FNC1 between fields, the leading FNC1 implied. Code sets A, B and C are changed where that
// makes the symbol shortest. Refused (ErrorKind::Input) when empty, when a byte is above 127,
// when a GS begins or ends the string or follows another, or when there are more than
// kMaxDataCharacters characters.
Result<Gs1128Symbol> EncodeGs1128(std::string_view elementString);

}  // namespace varnholt
