#include "render/MatrixLayout.h"

#include <algorithm>

#include "render/DotGrid.h"
#include "render/TextLine.h"

namespace varnholt::render {
namespace {

// Human-readable text under a 2D symbol: small, as it stands beside a small symbol, and read
// by people only.
constexpr double kTextHeightMm = 2.0;
constexpr double kLineSpacing = 1.5;  // of the text's height
constexpr int kTextGapModules = 3;

}  // namespace

void PlaceMatrix(Layout& layout, const ModuleGrid& modules, int quietModules,
                 const std::vector<std::string>& lines, const ReviewedOptions& reviewed) {
    const double x = layout.module.mm;
    const DotGrid grid(layout.dpi);
    const int margin = reviewed.options.quietZones ? quietModules : 0;
    const double symbolWidth = static_cast<double>(modules.width) * x;
    const double symbolHeight = static_cast<double>(modules.height) * x;
    double textWidth = 0.0;
    for (const std::string& line : lines) {
        textWidth = std::max(textWidth, TextWidth(line, kTextHeightMm));
    }
    layout.widthMm = std::max(symbolWidth + 2.0 * margin * x, grid.Up(textWidth));
    layout.symbolLeftMm = grid.Nearest((layout.widthMm - symbolWidth) / 2.0);
    layout.quietLeftModules = layout.quietRightModules = margin;
    const double top = margin * x;

    for (std::size_t row = 0; row < modules.height; ++row) {
        for (std::size_t start = 0; start < modules.width;) {
            if (!modules.Dark(start, row)) {
                ++start;
                continue;
            }
            std::size_t end = start;
            while (end < modules.width && modules.Dark(end, row)) {
                ++end;
            }
            layout.bars.push_back(
                {layout.symbolLeftMm + static_cast<double>(start) * x + reviewed.reductionLeftMm,
                 top + static_cast<double>(row) * x,
                 static_cast<double>(end - start) * x - reviewed.reductionLeftMm -
                     reviewed.reductionRightMm,
                 x});
            start = end;
        }
    }
    // Text close under a symbol whose quiet zone is a module keeps some readers from finding
    // it: the text stands kTextGapModules below it at least.
    double bottom =
        top + symbolHeight + (lines.empty() ? margin : std::max(margin, kTextGapModules)) * x;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const double lineTop = bottom + static_cast<double>(i) * kTextHeightMm * kLineSpacing;
        PlaceLine(layout, lines[i], layout.widthMm / 2.0, lineTop, kTextHeightMm);
    }
    if (!lines.empty()) {
        bottom += static_cast<double>(lines.size() - 1) * kTextHeightMm * kLineSpacing +
                  kTextHeightMm * (1.0 + kTextDescent);
    }
    layout.heightMm = grid.Up(bottom);
}

}  // namespace varnholt::render
