#include "render/Layout.h"

#include <algorithm>
#include <cmath>

#include "render/Glyphs.h"
#include "render/Millimetres.h"
#include "render/SymbolNumber.h"

namespace varnholt::render {
namespace {

// GS1 figures at 100 %, scaled with the magnification.
constexpr double kNominalBarHeightMm = 22.85;
constexpr double kNominalDigitHeightMm = 2.75;
// Guard bars reach this many modules below the data bars.
constexpr int kGuardExtensionModules = 5;
// Quiet zones in modules: left of an EAN-13, and every other one.
constexpr int kEan13LeftQuietModules = 11;
constexpr int kQuietModules = 7;
// The tallest bars worth printing; keeps raster output within memory.
constexpr double kTallestBarMm = 1000.0;

// Lengths on the dot grid: whole dots when there is a resolution, as they are otherwise.
class Grid {
  public:
    explicit Grid(double dpi) : dotMm_(dpi > 0.0 ? kMmPerInch / dpi : 0.0) {}
    double Nearest(double mm) const { return dotMm_ > 0 ? std::round(mm / dotMm_) * dotMm_ : mm; }
    double Up(double mm) const {
        // A length a hair over whole dots from rounding is still those dots.
        return dotMm_ > 0 ? std::ceil(mm / dotMm_ - 1e-6) * dotMm_ : mm;
    }
    double Dot() const { return dotMm_; }

  private:
    double dotMm_;
};

// How much each dark bar loses on its left and on its right, into `reviewed`.
Result<Done> ReduceBars(ReviewedOptions& reviewed, const Grid& grid) {
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
Result<Done> SetBarHeight(ReviewedOptions& reviewed, const Grid& grid) {
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

// Places `c`'s outline with its cell centred on x and the digits' top at y.
void PlaceCharacter(Layout& layout, char c, double centreX, double top, double height) {
    const Glyphs::Glyph& glyph = SymbolGlyphs().Of(c);
    AppendPlaced(layout.text, glyph.outline, height, centreX - glyph.advance * height / 2.0, top);
}

}  // namespace

int Layout::WidthDots() const noexcept {
    return dpi > 0.0 ? static_cast<int>(std::lround(widthMm * dpi / kMmPerInch)) : 0;
}

int Layout::HeightDots() const noexcept {
    return dpi > 0.0 ? static_cast<int>(std::lround(heightMm * dpi / kMmPerInch)) : 0;
}

Result<ReviewedOptions> Review(const Options& options) {
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
    const Grid grid(reviewed.dpi);
    for (const Result<Done>& step : {SetBarHeight(reviewed, grid), ReduceBars(reviewed, grid)}) {
        if (!step) {
            return Result<ReviewedOptions>::FailureOf(step);
        }
    }
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
    return reviewed;
}

Result<Layout> LayOut(std::string_view number, const Options& options) {
    const Result<ReviewedOptions> reviewed = Review(options);
    if (!reviewed) {
        return Result<Layout>::FailureOf(reviewed);
    }
    return LayOut(number, *reviewed);
}

Result<Layout> LayOut(std::string_view number, const ReviewedOptions& reviewed) {
    Result<std::string> digits = SymbolNumber(number);
    if (!digits) {
        return Result<Layout>::FailureOf(digits);
    }
    const Options& options = reviewed.options;
    Layout layout;
    layout.number = *std::move(digits);
    layout.modules = ModulesOf(layout.number);
    layout.module = reviewed.module;
    layout.dpi = reviewed.dpi;
    const double x = layout.module.mm;

    const Glyphs& glyphs = SymbolGlyphs();
    const double digitHeight = kNominalDigitHeightMm * layout.module.magnification;
    const double cell = glyphs.Of('0').advance * digitHeight;
    const bool ean13 = layout.number.size() == 13;
    if (options.quietZones) {
        layout.quietLeftModules = ean13 ? kEan13LeftQuietModules : kQuietModules;
        layout.quietRightModules = kQuietModules;
    } else if (ean13) {
        // The first digit still stands left of the bars.
        layout.quietLeftModules = static_cast<int>(std::ceil(cell / x)) + 1;
    }
    const auto count = static_cast<int>(layout.modules.count);
    layout.symbolLeftMm = layout.quietLeftModules * x;
    layout.widthMm = (layout.quietLeftModules + count + layout.quietRightModules) * x;
    layout.barHeightMm = reviewed.barHeightMm;

    // One box a run of dark modules; guard bars reach further down.
    const std::string_view modules = layout.modules.Text();
    for (std::size_t start = 0; start < modules.size();) {
        if (modules[start] != '1') {
            ++start;
            continue;
        }
        std::size_t end = start;
        while (end < modules.size() && modules[end] == '1') {
            ++end;
        }
        const double extension = layout.modules.IsGuard(start) ? kGuardExtensionModules * x : 0.0;
        layout.bars.push_back(
            {layout.symbolLeftMm + static_cast<double>(start) * x + reviewed.reductionLeftMm, 0.0,
             static_cast<double>(end - start) * x - reviewed.reductionLeftMm -
                 reviewed.reductionRightMm,
             layout.barHeightMm + extension});
        start = end;
    }

    // The digits one module below the data bars, each centred under its seven modules; an
    // EAN-13's first digit left of the start guard.
    const Grid grid(layout.dpi);
    const double textTop = layout.barHeightMm + x;
    layout.heightMm = grid.Up(textTop + digitHeight);
    const std::string_view drawn =
        ean13 ? std::string_view(layout.number).substr(1) : std::string_view(layout.number);
    const std::size_t half = drawn.size() / 2;
    if (ean13) {
        PlaceCharacter(layout, layout.number[0], layout.symbolLeftMm - x - cell / 2.0, textTop,
                       digitHeight);
    }
    for (std::size_t i = 0; i < drawn.size(); ++i) {
        const std::size_t firstModule = 3 + 7 * i + (i < half ? 0 : 5);
        PlaceCharacter(layout, drawn[i],
                       layout.symbolLeftMm + (static_cast<double>(firstModule) + 3.5) * x, textTop,
                       digitHeight);
    }
    if (options.marginIndicators) {
        const double symbolRight = layout.symbolLeftMm + count * x;
        PlaceCharacter(layout, '>', symbolRight + kQuietModules * x / 2.0, textTop, digitHeight);
        if (!ean13) {
            PlaceCharacter(layout, '<', layout.symbolLeftMm - kQuietModules * x / 2.0, textTop,
                           digitHeight);
        }
    }

    layout.foreground = options.foreground;
    layout.background = options.background;
    layout.transparentBackground = options.transparentBackground;
    return layout;
}

}  // namespace varnholt::render
