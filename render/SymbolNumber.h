#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "model/Result.h"
#include "model/Symbology.h"

namespace varnholt::render {

// The number a symbol draws, worked out from the text a person gave.
struct SymbolNumber {
    // The main symbol: EAN-13, EAN-8, UPC-A or UPC-E.
    Symbology symbology = Symbology::Ean13;
    // Its digits, check digit included: 13, 8, 12, or a UPC-E's number system, six digits and
    // check digit.
    std::string digits;
    // The add-on's 2 or 5 digits; empty without one.
    std::string addOn;
    // What a person should be told of how the text was read, in the command line's words;
    // empty when there is nothing to tell. Said of 12 digits that are a valid GTIN-12 of
    // their own but are drawn as the EAN-13 they complete.
    std::string note;

    // The number as drawn: the digits, then "+" and the add-on's, e.g. "9780306406157+51234".
    std::string Text() const { return addOn.empty() ? digits : digits + "+" + addOn; }

    // The main symbol's GTIN in GS1's normal form of 14 digits: a UPC-E's is the GTIN-12 it
    // stands for, with zeros in front.
    std::string Gtin() const;
};

// The number to draw for `text`, read as every command reads a number (blanks and hyphens
// are separators, an ISBN-10 may end in X, a "+" starts an add-on of 2 or 5 digits), in
// `symbology` when given:
// - EAN-13: 13 digits; 12 get their check digit; an ISBN-10 becomes the EAN-13 of its GTIN
//   with prefix 978.
// - EAN-8: 8 digits; 7 get their check digit.
// - UPC-A: 12 digits; 11 get their check digit.
// - UPC-E: 8 digits (number system 0 or 1, six digits, the GTIN-12's check digit); 7 get
//   their check digit, 6 have number system 0; a GTIN-12 is drawn as the UPC-E that zero
//   suppression shortens it to.
// Without a symbology the length decides: 13, 12 or an ISBN-10 an EAN-13, 8 or 7 an EAN-8.
// An EAN-8 takes no add-on. Check digits given must be right.
// Refused, of kind Usage, for a symbology the number cannot be drawn in as asked (its
// length, an add-on after an asked EAN-8, an add-on asked as the symbol); of kind Input for
// everything else wrong with the text, with words that say which and where but do not
// repeat the text, e.g. "check digit 2 is wrong, 540010110997 needs 1".
Result<SymbolNumber> ReadSymbolNumber(std::string_view text,
                                      std::optional<Symbology> symbology = std::nullopt);

}  // namespace varnholt::render
