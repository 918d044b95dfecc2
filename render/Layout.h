#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "model/ModuleSequence.h"
#include "render/Color.h"
#include "render/Options.h"
#include "render/Path.h"
#include "render/PrintSize.h"
#include "render/Result.h"

namespace varnholt::render {

// A rectangle in millimetres, from the symbol's top-left corner.
struct Box {
    double x = 0.0;
    double y = 0.0;
    double width = 0.0;
    double height = 0.0;
};

// The print-quality symbol of one number, worked out once as plain data that every format
// draws from. Millimetres, x to the right and y downwards from the top-left corner of the
// whole symbol, quiet zones included. With a resolution, every module, bar edge, quiet zone
// and the whole size are whole dots.
struct Layout {
    std::string number;  // the digits drawn, check digit included
    ModuleSequence modules;
    ModuleSize module;
    double dpi = 0.0;  // 0 without a resolution
    double widthMm = 0.0;
    double heightMm = 0.0;
    // Where the first module starts, and the light margins, in modules.
    double symbolLeftMm = 0.0;
    int quietLeftModules = 0;
    int quietRightModules = 0;
    double barHeightMm = 0.0;  // data bars; guard bars reach 5 modules further down
    std::vector<Box> bars;     // each dark bar, narrowed by any bar width reduction
    Path text;                 // the human-readable digits and margin indicators
    Rgb foreground = kBlack;
    Rgb background = kWhite;
    bool transparentBackground = false;
    // What the request came to, said once: size, magnification, truncation, reduction.
    std::string report;
    // What may keep the symbol from scanning or printing as meant.
    std::vector<std::string> warnings;

    // Width and height in whole dots; 0 without a resolution.
    int WidthDots() const noexcept;
    int HeightDots() const noexcept;
};

// Lays out the symbol of `number` (see SymbolNumber for what it accepts) as `options` ask.
// Refused with a message for a number that is not a complete or completable EAN, or a size,
// resolution or reduction that cannot be printed.
Result<Layout> LayOut(std::string_view number, const Options& options);

// What `options` come to whatever the number, for a caller that draws many numbers and says
// it once: the report and warnings every layout with them has. Refused as LayOut refuses
// the options.
struct Review {
    std::string report;
    std::vector<std::string> warnings;
};
Result<Review> ReviewOptions(const Options& options);

}  // namespace varnholt::render
