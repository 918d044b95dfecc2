#include "sheets/SymbolFit.h"

#include "render/PrintSize.h"
#include "sheets/SheetDocument.h"

namespace varnholt::sheets {
namespace {

// The two module widths a symbol's extent is measured at.
constexpr double kSmallProbeMm = render::kNominalModuleMm;
constexpr double kLargeProbeMm = render::kLargestModuleMm;
// Room taken off a label, a step at a time, when the symbol's dots came to more than its
// millimetres said.
constexpr double kShrinkStepMm = 0.05;
constexpr int kFitAttempts = 4;

// How a symbol like `layout`'s grows with its module, with a line of text under it or not.
Result<SymbolExtent> ExtentOf(const render::Layout& layout, const render::Options& options,
                              bool withText) {
    render::Options probe = options;
    probe.dpi.reset();
    probe.barWidthReduction = {};  // narrower bars take no less room
    probe.xDimensionMm = kSmallProbeMm;
    const Result<render::Layout> small = render::LayOut(layout.number, probe);
    probe.xDimensionMm = kLargeProbeMm;
    const Result<render::Layout> large = render::LayOut(layout.number, probe);
    if (!small || !large) {
        return Result<SymbolExtent>::FailureOf(!small ? small : large);
    }
    SymbolExtent extent;
    extent.widthModules = small->widthMm / kSmallProbeMm;
    extent.heightModules = (large->heightMm - small->heightMm) / (kLargeProbeMm - kSmallProbeMm);
    extent.fixedHeightMm = small->heightMm - extent.heightModules * kSmallProbeMm +
                           (withText ? kLabelTextRoomMm : 0.0);
    return extent;
}

}  // namespace

Result<render::ReviewedOptions> FitSymbol(const render::Layout& layout,
                                          const render::Options& options, LabelRoom room,
                                          std::optional<double> requestedMm, bool withText) {
    using Fitted = Result<render::ReviewedOptions>;
    const Result<SymbolExtent> extent = ExtentOf(layout, options, withText);
    if (!extent) {
        return Fitted::FailureOf(extent);
    }
    const double widthMm = room.widthMm - 2 * room.marginMm;
    const double heightMm = room.heightMm - 2 * room.marginMm;
    for (int attempt = 0;; ++attempt) {
        const Result<double> x = FitModule(*extent, room, requestedMm, options.dpi);
        if (!x) {
            return Fitted::FailureOf(x);
        }
        render::Options fitted = options;
        fitted.xDimensionMm = *x;
        Fitted reviewed = render::Review(fitted);
        if (!reviewed) {
            return reviewed;
        }
        const Result<render::Layout> drawn = render::LayOut(layout.number, *reviewed);
        if (!drawn) {
            return Fitted::FailureOf(drawn);
        }
        const double height = drawn->heightMm + (withText ? kLabelTextRoomMm : 0.0);
        const bool fits = drawn->widthMm <= widthMm + 1e-6 && height <= heightMm + 1e-6;
        if (fits || requestedMm || attempt + 1 == kFitAttempts) {
            return reviewed;
        }
        room.heightMm -= kShrinkStepMm;
    }
}

}  // namespace varnholt::sheets
