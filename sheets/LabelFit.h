#pragma once

#include <optional>
#include <string>

#include "model/Result.h"
#include "render/PrintSize.h"

namespace varnholt::sheets {

// How a symbol's size grows with its module: width = widthModules * x, height =
// fixedHeightMm + heightModules * x. A symbol of the family, its quiet zones and any line of
// text under it are all of this form (bars of a given height are the fixed part).
struct SymbolExtent {
    double widthModules = 0.0;
    double fixedHeightMm = 0.0;
    double heightModules = 0.0;

    double WidthMm(double xMm) const noexcept { return widthModules * xMm; }
    double HeightMm(double xMm) const noexcept { return fixedHeightMm + heightModules * xMm; }
};

// A label as the symbol sees it: its size and the margin inside its edge where printing may
// not go.
struct LabelRoom {
    double widthMm = 0.0;
    double heightMm = 0.0;
    double marginMm = 0.0;
};

// The least distance between a label's edge and its symbol, where the template asks for
// less: office printers print nothing within a few millimetres of the sheet's edge.
inline constexpr double kLeastLabelPaddingMm = 1.5;

// The X-dimension for a symbol of `extent` on a label of `room`: `requestedMm` when given
// (snapped to whole dots at `dpi`), otherwise GS1's target `targetMm` where it fits, else the
// largest down to 80 % of it that fits, in whole dots at `dpi`. Refused, of kind Usage, when
// that does not fit, naming the smallest label that holds the symbol at the size asked, or
// at 80 % without one.
Result<double> FitModule(const SymbolExtent& extent, const LabelRoom& room,
                         std::optional<double> requestedMm, std::optional<double> dpi,
                         double targetMm = render::kNominalModuleMm);

}  // namespace varnholt::sheets
