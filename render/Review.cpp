// Options reviewed once, whatever the number: the module on the dot grid, the bar height and
// reduction, and what is said of them.

#include <algorithm>
#include <cmath>

#include "model/SymbologyNames.h"
#include "render/CarrierSizes.h"
#include "render/DotGrid.h"
#include "render/Glyphs.h"
#include "render/Layout.h"
#include "render/Millimetres.h"

namespace varnholt::render {
namespace {

// GS1's figures for EAN/UPC symbols (dimensions) at 100 %, scaled with the
// magnification.
constexpr double kNominalBarHeightMm = 22.85;
// The tallest bars worth printing; keeps raster output within memory.
constexpr double kTallestBarMm = 1000.0;

// How much each dark bar loses on its left and on its right, into `reviewed`.
Result<Done> ReduceBars(ReviewedOptions& reviewed, const DotGrid& grid) {
    const BarWidthReduction& asked = reviewed.options.barWidthReduction;
    const ModuleSize& module = reviewed.module;
    const bool inDots = asked.unit == BarWidthReduction::Unit::Dots;
    if (!(asked.amount >= 0.0)) {
        return Result<Done>::Failure(ErrorKind::Usage, "a bar width reduction cannot be negative");
    }
    if (inDots && asked.amount != std::floor(asked.amount)) {
        return Result<Done>::Failure(ErrorKind::Usage,
                                     "a bar width reduction in dots is a whole number of them");
    }
    if (inDots && asked.amount != 0.0 && module.dots == 0) {
        return Result<Done>::Failure(ErrorKind::Usage,
                                     "a bar width reduction in dots needs a resolution (dpi)");
    }
    // Too wide is refused as asked, before millimetres become a count of dots that could
    // not hold it.
    const double askedMm = inDots ? asked.amount * grid.Dot() : asked.amount;
    if (askedMm >= module.mm) {
        return Result<Done>::Failure(ErrorKind::Usage,
                                     "a bar width reduction of " + Millimetres(askedMm) +
                                         " mm leaves nothing of a one-module bar of " +
                                         Millimetres(module.mm) + " mm");
    }
    if (askedMm == 0.0) {
        return Done{};
    }
    if (module.dots == 0) {
        reviewed.reductionLeftMm = reviewed.reductionRightMm = askedMm / 2.0;
        reviewed.report += "; bars narrowed by " + Millimetres(askedMm) + " mm";
        return Done{};
    }
    // Whole dots on each side keep every edge on the grid.
    const int dots = static_cast<int>(std::lround(askedMm / grid.Dot()));
    if (dots == 0) {
        return Done{};
    }
    if (dots >= module.dots) {
        return Result<Done>::Failure(ErrorKind::Usage,
                                     "a bar width reduction of " + std::to_string(dots) +
                                         " dots leaves nothing of a one-module bar of " +
                                         std::to_string(module.dots) + " dots");
    }
    reviewed.reductionLeftMm = (dots / 2) * grid.Dot();
    reviewed.reductionRightMm = (dots - dots / 2) * grid.Dot();
    reviewed.report += "; bars narrowed by " + std::to_string(dots) +
                       (dots == 1 ? " dot = " : " dots = ") + Millimetres(dots * grid.Dot()) +
                       " mm";
    return Done{};
}

// The data bars' height into `reviewed`: GS1's, or as asked, on the dot grid.
Result<Done> SetBarHeight(ReviewedOptions& reviewed, const DotGrid& grid) {
    const double full = kNominalBarHeightMm * reviewed.module.magnification;
    if (!reviewed.options.barHeightMm) {
        reviewed.barHeightMm = grid.Nearest(full);
        return Done{};
    }
    const double asked = *reviewed.options.barHeightMm;
    if (!std::isfinite(asked) || asked <= 0.0 || asked > kTallestBarMm) {
        return Result<Done>::Failure(ErrorKind::Usage, "bar height " + Millimetres(asked) +
                                                           " mm: give more than 0 and at most " +
                                                           Millimetres(kTallestBarMm) + " mm");
    }
    reviewed.barHeightMm = std::max(grid.Nearest(asked), grid.Dot());
    if (reviewed.barHeightMm < full - 1e-9) {
        reviewed.report += "; bars truncated to " + Millimetres(reviewed.barHeightMm) + " mm, " +
                           std::to_string(std::lround(100.0 * reviewed.barHeightMm / full)) +
                           " % of " + Millimetres(full) + " mm";
    }
    return Done{};
}

// What may keep the symbols from scanning or printing as meant, into `reviewed`.
void AddWarnings(ReviewedOptions& reviewed) {
    const Options& options = reviewed.options;
    const std::string contrast = ContrastWarning(
        options.foreground, options.transparentBackground ? kWhite : options.background);
    if (!contrast.empty()) {
        reviewed.warnings.push_back(contrast);
    }
    if (const Glyphs& glyphs = SymbolGlyphs(); !glyphs.ocrB) {
        reviewed.warnings.push_back(
            "the OCR-B font is not installed (Debian package fonts-ocr-b); "
            "the digits are drawn in " +
            glyphs.family);
    }
}

// The options of a GS1 data carrier: its module within its row of kCarrierSizes, a GS1-128's
// bar height, the reduction, the warnings.
Result<ReviewedOptions> ReviewCarrier(const Options& options) {
    const DataCarrier carrier = *options.gs1.carrier;
    if (options.marginIndicators) {
        return Result<ReviewedOptions>::Failure(ErrorKind::Usage,
                                                "margin indicators belong to EAN/UPC symbols: " +
                                                    std::string(TitleOf(carrier)) + " has none");
    }
    const Result<ModuleSize> module =
        SizeCarrierModule(carrier, options.gs1.xDimensionMm, options.dpi);
    if (!module) {
        return Result<ReviewedOptions>::FailureOf(module);
    }
    ReviewedOptions reviewed;
    reviewed.options = options;
    reviewed.module = *module;
    reviewed.dpi = module->dots != 0 ? *options.dpi : 0.0;
    reviewed.report = module->report;
    const DotGrid grid(reviewed.dpi);
    const double least = SizeOf(carrier).barHeightMm;
    if (least > 0.0) {
        const double asked = options.barHeightMm.value_or(least);
        if (!std::isfinite(asked) || asked <= 0.0 || asked > kTallestBarMm) {
            return Result<ReviewedOptions>::Failure(ErrorKind::Usage,
                                                    "bar height " + Millimetres(asked) +
                                                        " mm: give more than 0 and at most " +
                                                        Millimetres(kTallestBarMm) + " mm");
        }
        reviewed.barHeightMm = std::max(grid.Nearest(asked), grid.Dot());
        if (reviewed.barHeightMm < least - 1e-9) {
            reviewed.report += "; bars " + Millimetres(reviewed.barHeightMm) +
                               " mm high, lower than GS1's " + Millimetres(least) + " mm";
        }
    } else if (options.barHeightMm) {
        return Result<ReviewedOptions>::Failure(
            ErrorKind::Usage,
            "a bar height is a linear symbol's: " + std::string(TitleOf(carrier)) + " has none");
    }
    if (const Result<Done> reduced = ReduceBars(reviewed, grid); !reduced) {
        return Result<ReviewedOptions>::FailureOf(reduced);
    }
    AddWarnings(reviewed);
    return reviewed;
}

}  // namespace

Result<ReviewedOptions> Review(const Options& options) {
    if (options.gs1.carrier) {
        return ReviewCarrier(options);
    }
    if (options.symbology && !IsMainSymbol(*options.symbology)) {
        return Result<ReviewedOptions>::Failure(
            ErrorKind::Usage, std::string(TitleOf(*options.symbology)) +
                                  " is an add-on: give it after a \"+\" in the number");
    }
    const Result<ModuleSize> module = SizeModule(options.xDimensionMm, options.dpi);
    if (!module) {
        return Result<ReviewedOptions>::FailureOf(module);
    }
    if (options.marginIndicators && !options.quietZones) {
        return Result<ReviewedOptions>::Failure(
            ErrorKind::Usage,
            "margin indicators mark the quiet zones: they cannot go without them");
    }
    ReviewedOptions reviewed;
    reviewed.options = options;
    reviewed.module = *module;
    reviewed.dpi = module->dots != 0 ? *options.dpi : 0.0;
    reviewed.report = module->report;
    const DotGrid grid(reviewed.dpi);
    for (const Result<Done>& step : {SetBarHeight(reviewed, grid), ReduceBars(reviewed, grid)}) {
        if (!step) {
            return Result<ReviewedOptions>::FailureOf(step);
        }
    }
    AddWarnings(reviewed);
    return reviewed;
}

Result<Layout> LayOut(std::string_view number, const Options& options) {
    const Result<ReviewedOptions> reviewed = Review(options);
    if (!reviewed) {
        return Result<Layout>::FailureOf(reviewed);
    }
    return LayOut(number, *reviewed);
}

}  // namespace varnholt::render
