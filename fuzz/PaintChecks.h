#pragma once

#include <string>
#include <variant>

#include "fuzz/FuzzHost.h"
#include "fuzz/Oracles.h"
#include "fuzz/Require.h"

namespace varnholt::fuzz {

// What must hold after any paint, whatever the value, height or colour: the raster holds
// exactly what the drawing calls asked for, every pen made is gone again, and the derived
// properties agree with the value painted.
inline void RequireSoundPaint(FuzzHost& host) {
    VARNHOLT_REQUIRE(host.Reference().Matches());
    VARNHOLT_REQUIRE(host.Reference().LivePens() == 0);
    VARNHOLT_REQUIRE(host.Reference().StockPenSelected());
    VARNHOLT_REQUIRE(host.Raster().PenCount() == 0);

    Barcode& control = host.Control();
    const std::string value = control.Value();
    // Valid is EAN::Check of a 13-character value, which skips blanks and hyphens: eight
    // digits among five of them pass as an EAN-8 number.
    const std::string kept = value.size() == 13 ? Kept(value) : std::string();
    const bool rightNumber =
        (kept.size() == 13 || kept.size() == 8) && AllDigits(kept) &&
        WeightedCheckDigit(std::string_view(kept).substr(0, kept.size() - 1)) == kept.back() - '0';
    VARNHOLT_REQUIRE(control.Valid() == rightNumber);
    if (value.size() != 13) {
        const CodePart reset{std::int16_t{0}};
        VARNHOLT_REQUIRE(control.NumberSystem() == reset);
        VARNHOLT_REQUIRE(control.ManufacturerCode() == reset);
        VARNHOLT_REQUIRE(control.ProductCode() == reset);
    }
    if (value.size() < 2) {
        VARNHOLT_REQUIRE(control.Country().empty());
    }
}

}  // namespace varnholt::fuzz
