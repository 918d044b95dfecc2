#include "render/Gs1128Layout.h"

#include <algorithm>
#include <string>

#include "render/CarrierSizes.h"
#include "render/DotGrid.h"
#include "render/Millimetres.h"
#include "render/TextLine.h"

namespace varnholt::render {
namespace {

// GS1 asks for legible human-readable text under a GS1-128; 3 mm digits read at arm's length
// on a carton, as the logistic label's text does.
constexpr double kTextHeightMm = 3.0;

}  // namespace

Result<Done> PlaceGs1128(Layout& layout, const Gs1128Symbol& symbol, std::string_view text,
                         const ReviewedOptions& reviewed) {
    const double x = layout.module.mm;
    const DotGrid grid(layout.dpi);
    const int quiet = SizeOf(DataCarrier::Gs1128).quietZoneModules;
    const auto modules = static_cast<double>(symbol.Modules());
    // GS1's limit counts the quiet zones whether or not this drawing leaves them out.
    if (const double whole = (modules + 2.0 * quiet) * x; whole > kWidestGs1128Mm + 1e-9) {
        return Result<Done>::Failure(
            ErrorKind::Input, "GS1-128: " + std::to_string(symbol.Modules()) + " modules of " +
                                  Millimetres(x) + " mm come to " + Millimetres(whole) +
                                  " mm with the quiet zones, more than the " +
                                  Millimetres(kWidestGs1128Mm) + " mm one symbol may take");
    }
    const int margin = reviewed.options.quietZones ? quiet : 0;
    const double barsWidth = modules * x;
    const double textWidth = TextWidth(text, kTextHeightMm);
    layout.widthMm = std::max(barsWidth + 2.0 * margin * x, grid.Up(textWidth));
    layout.symbolLeftMm = grid.Nearest((layout.widthMm - barsWidth) / 2.0);
    layout.quietLeftModules = layout.quietRightModules = margin;
    layout.barHeightMm = reviewed.barHeightMm;

    const std::string modulesText = symbol.Text();
    for (std::size_t start = 0; start < modulesText.size();) {
        if (modulesText[start] != '1') {
            ++start;
            continue;
        }
        std::size_t end = start;
        while (end < modulesText.size() && modulesText[end] == '1') {
            ++end;
        }
        layout.bars.push_back(
            {layout.symbolLeftMm + static_cast<double>(start) * x + reviewed.reductionLeftMm, 0.0,
             static_cast<double>(end - start) * x - reviewed.reductionLeftMm -
                 reviewed.reductionRightMm,
             layout.barHeightMm});
        start = end;
    }
    const double textTop = layout.barHeightMm + x;
    PlaceLine(layout, text, layout.widthMm / 2.0, textTop, kTextHeightMm);
    layout.heightMm = grid.Up(textTop + kTextHeightMm * (1.0 + kTextDescent));
    return Done{};
}

}  // namespace varnholt::render
