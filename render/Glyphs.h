#pragma once

#include <array>
#include <string>

#include "render/Path.h"

namespace varnholt::render {

// The outlines of the characters a symbol shows, the printable ASCII characters (the digits
// and "<", ">" of EAN/UPC, the brackets and data of GS1's human-readable text), in the OCR-B
// font (Debian fonts-ocr-b) when it is installed. Units: the height of a digit is 1; x runs
// from the left of the character's cell, y downwards from the top of the digits.
struct Glyphs {
    struct Glyph {
        Path outline;
        double advance = 0.0;  // width of the character's cell
    };
    static constexpr char kFirst = ' ';
    static constexpr char kLast = '~';
    std::array<Glyph, kLast - kFirst + 1> glyphs;  // " " to "~", in ASCII's order
    std::string family;                            // the font the outlines come from
    bool ocrB = false;                             // whether that font is OCR-B

    // The glyph of one of the characters above; the digit "0" for any other.
    const Glyph& Of(char c) const noexcept;
};

// The outlines, read from the font once and kept.
const Glyphs& SymbolGlyphs();

}  // namespace varnholt::render
