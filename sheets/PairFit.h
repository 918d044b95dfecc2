#pragma once

#include <string>
#include <string_view>

#include "model/Result.h"
#include "render/Layout.h"
#include "sheets/LabelFit.h"

namespace varnholt::sheets {

// The options of an EAN/UPC symbol and of a GS1 carrier drawn side by side on one label.
struct FittedPair {
    render::ReviewedOptions linear;
    render::ReviewedOptions carrier;
    // Both sizes in a few words: "0.33 mm, 100 % and 0.495 mm", and whether the carrier's text
    // was left out to fit.
    std::string report;
};

// The options that draw the EAN/UPC symbol of `number` and the GS1 carrier of `data` side by
// side, their quiet zones touching at least, in a label of `room` with a line of text under
// them or not. Both take one magnification of their own GS1 targets (0.33 mm for EAN/UPC, the
// carrier's row of render/CarrierSizes.h): the targets where both fit, else the largest
// whole per cent down to the least that keeps both within their ranges (80 % for DataMatrix
// and QR Code, 100 % for GS1-128). A DataMatrix whose text under it does not fit at any of
// these is tried without it. Refused, of kind Usage, when that does not fit either, naming the
// label's size and the size both need; or as the render layer refuses the options.
Result<FittedPair> FitPair(std::string_view number, const render::Options& linearOptions,
                           std::string_view data, const render::Options& carrierOptions,
                           LabelRoom room, bool withText);

}  // namespace varnholt::sheets
