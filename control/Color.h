#pragma once

#include <cstdint>

namespace varnholt {

// A concrete colour, 0x00BBGGRR.
using ColorRef = std::uint32_t;

// A colour as a property holds it: a concrete colour 0x00BBGGRR, or 0x800000nn for the
// system colour with index nn, which the drawing surface translates.
using OleColor = std::uint32_t;

// The system's window-text colour, as a reference.
inline constexpr OleColor kWindowTextColor = 0x80000008;
inline constexpr ColorRef kWhite = 0x00FFFFFF;

}  // namespace varnholt
