#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "model/DataCarrier.h"
#include "model/ModuleSequence.h"
#include "model/Result.h"
#include "render/Color.h"
#include "render/Options.h"
#include "render/Path.h"
#include "render/PrintSize.h"

namespace varnholt::render {

// A rectangle in millimetres, from the symbol's top-left corner.
struct Box {
    double x = 0.0;
    double y = 0.0;
    double width = 0.0;
    double height = 0.0;
};

// One character of the human-readable text where it stands: the left of its cell and the
// digits' top in millimetres, and its digit height.
struct PlacedCharacter {
    char character = '0';
    double left = 0.0;
    double top = 0.0;
    double height = 0.0;
};

// What options come to whatever the number: the module snapped to the dot grid, the bar
// height and reduction, and what is said of them once, for one symbol or a whole batch.
struct ReviewedOptions {
    Options options;
    ModuleSize module;
    double dpi = 0.0;  // 0 without a resolution
    double barHeightMm = 0.0;
    // What each dark bar loses on its left and on its right.
    double reductionLeftMm = 0.0;
    double reductionRightMm = 0.0;
    // Size, magnification, truncation and reduction, e.g. "0.33 mm at 203 dpi: 3 dots =
    // 0.375 mm, 114 %; bars narrowed by 1 dot = 0.125 mm".
    std::string report;
    // What may keep the symbols from scanning or printing as meant (colours, a missing font).
    std::vector<std::string> warnings;
};

// Reviews `options`: refused, of kind Usage, for a size, resolution, height or reduction that
// cannot be printed, margin indicators without quiet zones, or an add-on asked as the symbol.
Result<ReviewedOptions> Review(const Options& options);

// The print-quality symbol of one number, worked out once as plain data that every format
// draws from. Millimetres, x to the right and y downwards from the top-left corner of the
// whole symbol, quiet zones included. With a resolution, every module, bar edge, quiet zone
// and the whole size are whole dots.
struct Layout {
    // The number drawn, check digit included, then "+" and the add-on's digits if there is
    // one: "9780306406157+51234".
    std::string number;
    Symbology symbology = Symbology::Ean13;  // the main symbol's
    ModuleSequence modules;                  // the main symbol's
    ModuleSequence addOn;                    // the add-on's; no symbol (count 0) without one
    // Set when the symbol carries GS1 data; then `number` is the data's name for files (its
    // GTIN, or its AIs and data made safe), `data` what the symbol holds as a person reads it
    // (the bracketed AIs, or the URI), and symbology, modules and addOn are not used.
    std::optional<DataCarrier> carrier;
    std::string data;
    // Set when the carrier stands beside the EAN/UPC symbol in one picture (see Beside in
    // render/PairLayout.h): then number, symbology, modules and addOn are the EAN/UPC
    // symbol's, and carrier and data the carrier's.
    bool pair = false;
    // What a person should be told of how the number was read (see SymbolNumber); empty when
    // there is nothing to tell.
    std::string note;
    ModuleSize module;
    double dpi = 0.0;  // 0 without a resolution
    double widthMm = 0.0;
    double heightMm = 0.0;
    // Where the main symbol's first module starts, and the light margins left of it and
    // right of all, in modules.
    double symbolLeftMm = 0.0;
    int quietLeftModules = 0;
    int quietRightModules = 0;
    // Where the add-on's first module starts, and the light modules between it and the main
    // symbol; 0 without an add-on.
    double addOnLeftMm = 0.0;
    int addOnGapModules = 0;
    // The main symbol's data bars; guard bars (and a UPC-A's outer characters) reach 5
    // modules further down, and an add-on's bars as far, below its digits.
    double barHeightMm = 0.0;
    std::vector<Box> bars;  // each dark bar, narrowed by any bar width reduction
    // The human-readable digits and margin indicators, each where it stands.
    std::vector<PlacedCharacter> characters;
    Rgb foreground = kBlack;
    Rgb background = kWhite;
    bool transparentBackground = false;

    // The characters' outlines, as one path. Made on each call: a format that draws each
    // character as a whole needs none.
    Path Text() const;

    // Width and height in whole dots; 0 without a resolution.
    int WidthDots() const noexcept;
    int HeightDots() const noexcept;
};

// Lays out the symbol of `number`, and its add-on, in the symbology the options ask for or
// the number's length picks (see ReadSymbolNumber for what it accepts) with reviewed
// options; refused as ReadSymbolNumber refuses. When the options ask for a carrier of GS1
// data, `number` is that data instead: see LayOutCarrier in render/CarrierLayout.h.
Result<Layout> LayOut(std::string_view number, const ReviewedOptions& reviewed);

// Reviews the options and lays out one number with them.
Result<Layout> LayOut(std::string_view number, const Options& options);

}  // namespace varnholt::render
