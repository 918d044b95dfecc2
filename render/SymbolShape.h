#pragma once

#include <array>
#include <cstddef>

#include "model/Symbology.h"
#include "model/SymbologyNames.h"

namespace varnholt::render {

// How a main symbol of the family stands among its light margins and digits, in modules,
// whatever its size. The figures are GS1's for the EAN/UPC symbology (quiet zones,
// human readable interpretation, add-on symbols) and ISO/IEC 15420's.
struct SymbolShape {
    int quietLeft = 0;   // the light margin left of the start guard
    int quietRight = 0;  // right of the end guard, when no add-on follows
    // The light modules between the end guard and an add-on; 0 where none may follow.
    int addOnGap = 0;
    std::size_t characters = 0;  // symbol characters between the guards
    bool centreGuard = true;     // a centre guard parts the characters in two halves
    // The digit the first symbol character carries: the first digit of an EAN-13 and a
    // UPC-E's number system have no character of their own, only the parity of others.
    std::size_t firstCharacterDigit = 0;
    bool digitLeft = false;   // the first digit stands left of the start guard
    bool digitRight = false;  // the last digit stands right of the end guard
    // The size of the digits left and right of the bars, the others' being 1.
    double outerDigitScale = 1.0;
    // The bars of the first and last symbol characters reach down as far as the guard bars.
    bool longOuterCharacters = false;
    bool indicatorLeft = false;   // "<" marks the left quiet zone
    bool indicatorRight = false;  // ">" marks the right one
};

// By Symbology, the main symbols only.
inline constexpr std::array<SymbolShape, kMainSymbologies> kSymbolShapes{{
    // EAN-13: quiet zones of 11 and 7; the first digit left of the bars; ">".
    {.quietLeft = 11,
     .quietRight = 7,
     .addOnGap = 7,
     .characters = 12,
     .firstCharacterDigit = 1,
     .digitLeft = true,
     .indicatorRight = true},
    // EAN-8: quiet zones of 7 and 7; "<" and ">"; no add-on.
    {.quietLeft = 7,
     .quietRight = 7,
     .characters = 8,
     .indicatorLeft = true,
     .indicatorRight = true},
    // UPC-A: quiet zones of 9 and 9; the number system and check digit, smaller, outside the
    // bars, and their characters' bars as long as the guards'.
    {.quietLeft = 9,
     .quietRight = 9,
     .addOnGap = 9,
     .characters = 12,
     .digitLeft = true,
     .digitRight = true,
     .outerDigitScale = 0.75,
     .longOuterCharacters = true},
    // UPC-E: quiet zones of 9 and 7; six characters and no centre guard; the number system
    // and check digit, carried by parity only, smaller, outside the bars.
    {.quietLeft = 9,
     .quietRight = 7,
     .addOnGap = 7,
     .characters = 6,
     .centreGuard = false,
     .firstCharacterDigit = 1,
     .digitLeft = true,
     .digitRight = true,
     .outerDigitScale = 0.75},
}};

// An add-on stands 7 to 12 modules right of its main symbol, here after the main symbol's
// own right quiet zone, with 5 modules of quiet zone after it.
inline constexpr int kLeastAddOnGap = 7;
inline constexpr int kMostAddOnGap = 12;
inline constexpr int kAddOnQuietRight = 5;

constexpr bool ShapesAreSound() {
    for (const SymbolShape& shape : kSymbolShapes) {
        if (shape.addOnGap != 0 &&
            (shape.addOnGap < kLeastAddOnGap || shape.addOnGap > kMostAddOnGap)) {
            return false;
        }
    }
    return kSymbolShapes[static_cast<std::size_t>(Symbology::Ean8)].addOnGap == 0;
}
static_assert(ShapesAreSound(),
              "every add-on gap within GS1's 7 to 12 modules; none after an EAN-8");

// The shape of a main symbol.
constexpr const SymbolShape& ShapeOf(Symbology symbology) noexcept {
    return kSymbolShapes[static_cast<std::size_t>(symbology)];
}

}  // namespace varnholt::render
