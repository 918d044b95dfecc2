#pragma once

#include <optional>

#include "model/Result.h"
#include "render/Layout.h"
#include "sheets/LabelFit.h"

namespace varnholt::sheets {

// The options that draw a symbol like `layout`'s in a label of `room`, with a line of text
// under it or not: at `requestedMm` when given, otherwise the largest module FitModule
// allows. Bars and digits on whole dots can come to a little more than their millimetres
// said; where they do, the room is taken in a little at a time until the drawn symbol fits.
// Refused as FitModule refuses, or as the render layer refuses the size.
Result<render::ReviewedOptions> FitSymbol(const render::Layout& layout,
                                          const render::Options& options, LabelRoom room,
                                          std::optional<double> requestedMm, bool withText);

}  // namespace varnholt::sheets
