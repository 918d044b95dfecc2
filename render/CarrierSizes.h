#pragma once

#include <array>
#include <optional>

#include "model/DataCarrier.h"
#include "model/Result.h"
#include "render/PrintSize.h"

namespace varnholt::render {

// The X-dimensions a carrier of GS1 data may be printed at, its quiet zone and, for a linear
// symbol, its bars' least height. Millimetres.
struct CarrierSize {
    double smallestMm = 0.0;
    double targetMm = 0.0;
    double largestMm = 0.0;
    int quietZoneModules = 0;  // each side (and above and below a 2D symbol)
    double barHeightMm = 0.0;  // 0 for a 2D symbol
};

// GS1's general standard, section 5.12.3, its tables of symbol sizes: GS1-128 from
// table 2 (trade items scanned in general distribution only), DataMatrix and QR Code from
// table 1 (trade items scanned at general retail POS; 2D symbols at 1.5 times the linear
// X-dimensions, QR Code with a Digital Link URI). The quiet zones are the symbologies': 10
// modules for GS1-128, 1 for DataMatrix, 4 for QR Code. By DataCarrier.
// Unconfirmed: the X-dimension figures were written from knowledge of those tables, not
// checked against a copy of them (the 1.5 times rule for 2D symbols was); check them against
// the current edition.
inline constexpr std::array<CarrierSize, 3> kCarrierSizes{{
    {.smallestMm = 0.495,
     .targetMm = 0.495,
     .largestMm = 1.016,
     .quietZoneModules = 10,
     .barHeightMm = 31.75},
    {.smallestMm = 0.396, .targetMm = 0.495, .largestMm = 0.990, .quietZoneModules = 1},
    {.smallestMm = 0.396, .targetMm = 0.495, .largestMm = 0.990, .quietZoneModules = 4},
}};

// A GS1-128 with its quiet zones may be no wider than this (GS1's general standard,
// section 5.4.4.3).
inline constexpr double kWidestGs1128Mm = 165.10;

constexpr const CarrierSize& SizeOf(DataCarrier carrier) noexcept {
    return kCarrierSizes[static_cast<std::size_t>(carrier)];
}

// The module width of a carrier at `xDimensionMm` (its target when unset), snapped to whole
// dots at `dpi` when given: the nearest whole number of dots within the carrier's range.
// Refused, with the range in the message, outside it, or at a resolution none fits.
Result<ModuleSize> SizeCarrierModule(DataCarrier carrier, std::optional<double> xDimensionMm,
                                     std::optional<double> dpi);

}  // namespace varnholt::render
