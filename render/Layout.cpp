#include "render/Layout.h"

#include <algorithm>
#include <cmath>

#include "render/CarrierLayout.h"
#include "render/DotGrid.h"
#include "render/Glyphs.h"
#include "render/SymbolNumber.h"
#include "render/SymbolShape.h"

namespace varnholt::render {
namespace {

// GS1's figures for EAN/UPC symbols (dimensions, human readable interpretation) at
// 100 %, scaled with the magnification.
constexpr double kNominalDigitHeightMm = 2.75;
// Guard bars reach this many modules below the data bars.
constexpr int kGuardExtensionModules = 5;
// Modules of the guard patterns at either end of an EAN-13, UPC-A or EAN-8, and of each
// symbol character.
constexpr std::size_t kEdgeGuardModules = 3;
constexpr std::size_t kCentreGuardModules = 5;
constexpr std::size_t kCharacterModules = 7;
// An add-on: its start pattern, and the separator before each character but the first.
constexpr std::size_t kAddOnStartModules = 4;
constexpr std::size_t kAddOnSeparatorModules = 2;

// Places `c`'s outline with its cell centred on x and the digits' top at y.
void PlaceCharacter(Layout& layout, char c, double centreX, double top, double height) {
    const double advance = SymbolGlyphs().Of(c).advance;
    layout.characters.push_back({c, centreX - advance * height / 2.0, top, height});
}

// One box a run of dark modules from `top`, reaching down to `bottom`, or to `longBottom`
// where `isLong` says so of the run's first module.
template <class IsLong>
void AppendBars(Layout& layout, const ReviewedOptions& reviewed, const ModuleSequence& sequence,
                double left, double top, double bottom, double longBottom, IsLong isLong) {
    const double x = layout.module.mm;
    const std::string_view modules = sequence.Text();
    for (std::size_t start = 0; start < modules.size();) {
        if (modules[start] != '1') {
            ++start;
            continue;
        }
        std::size_t end = start;
        while (end < modules.size() && modules[end] == '1') {
            ++end;
        }
        layout.bars.push_back({left + static_cast<double>(start) * x + reviewed.reductionLeftMm,
                               top,
                               static_cast<double>(end - start) * x - reviewed.reductionLeftMm -
                                   reviewed.reductionRightMm,
                               (isLong(start) ? longBottom : bottom) - top});
        start = end;
    }
}

// The modules a digit cell needs beside the bars, a module's gap included.
int RoomFor(double cellMm, double moduleMm) {
    return static_cast<int>(std::ceil(cellMm / moduleMm - 1e-9)) + 1;
}

// The light margins and the add-on's gap into `layout`, in modules: GS1's quiet zones, or
// without them room only for the digits beside the bars. `cell` is a digit's width.
void SetMargins(Layout& layout, const SymbolShape& shape, const Options& options, double cell) {
    const double x = layout.module.mm;
    const int outerRoom = RoomFor(cell * shape.outerDigitScale, x);
    const int left = options.quietZones ? shape.quietLeft : 0;
    const int right = options.quietZones ? shape.quietRight : 0;
    layout.quietLeftModules = shape.digitLeft ? std::max(left, outerRoom) : left;
    layout.quietRightModules = shape.digitRight ? std::max(right, outerRoom) : right;
    if (layout.addOn.count == 0) {
        return;
    }
    // The add-on stands past the main symbol's own right margin. A ">" after it keeps the
    // room it has after an EAN-13 alone; without quiet zones, the add-on's last digit
    // overhangs its character a little.
    layout.addOnGapModules = std::max(shape.addOnGap, layout.quietRightModules);
    const int overhang = static_cast<int>(std::ceil(cell / x / 2.0 - 3.5 - 1e-9));
    const bool indicator = options.marginIndicators && shape.indicatorRight;
    layout.quietRightModules = !options.quietZones ? std::max(overhang, 0)
                               : indicator         ? shape.quietRight
                                                   : kAddOnQuietRight;
}

// The digits of `number` and the margin indicators into `layout`, whose bars are placed: each
// digit centred under its symbol character, those outside the bars beside them with their
// feet level with the others', the add-on's above its characters level with the bars' top.
void PlaceDigits(Layout& layout, const SymbolShape& shape, const SymbolNumber& number,
                 bool indicators, double digitHeight, double cell) {
    const double x = layout.module.mm;
    const double left = layout.symbolLeftMm;
    const double symbolRight = left + static_cast<double>(layout.modules.count) * x;
    const double top = layout.barHeightMm + x;
    const std::string& digits = number.digits;
    for (std::size_t c = 0; c < shape.characters; ++c) {
        const std::size_t digit = shape.firstCharacterDigit + c;
        if ((shape.digitLeft && digit == 0) || (shape.digitRight && digit + 1 == digits.size())) {
            continue;
        }
        const bool rightHalf = shape.centreGuard && c >= shape.characters / 2;
        const std::size_t first =
            kEdgeGuardModules + kCharacterModules * c + (rightHalf ? kCentreGuardModules : 0);
        PlaceCharacter(layout, digits[digit], left + (static_cast<double>(first) + 3.5) * x, top,
                       digitHeight);
    }
    const double outerHeight = digitHeight * shape.outerDigitScale;
    const double outerCell = cell * shape.outerDigitScale;
    const double outerTop = top + digitHeight - outerHeight;
    if (shape.digitLeft) {
        PlaceCharacter(layout, digits.front(), left - x - outerCell / 2.0, outerTop, outerHeight);
    }
    if (shape.digitRight) {
        PlaceCharacter(layout, digits.back(), symbolRight + x + outerCell / 2.0, outerTop,
                       outerHeight);
    }
    for (std::size_t c = 0; c < number.addOn.size(); ++c) {
        const std::size_t first =
            kAddOnStartModules + (kCharacterModules + kAddOnSeparatorModules) * c;
        PlaceCharacter(layout, number.addOn[c],
                       layout.addOnLeftMm + (static_cast<double>(first) + 3.5) * x, 0.0,
                       digitHeight);
    }
    if (indicators && shape.indicatorRight) {
        const double right = layout.widthMm - layout.quietRightModules * x;
        PlaceCharacter(layout, '>', right + layout.quietRightModules * x / 2.0, top, digitHeight);
    }
    if (indicators && shape.indicatorLeft) {
        PlaceCharacter(layout, '<', left - layout.quietLeftModules * x / 2.0, top, digitHeight);
    }
}

}  // namespace

Path Layout::Text() const {
    Path text;
    for (const PlacedCharacter& placed : characters) {
        AppendPlaced(text, SymbolGlyphs().Of(placed.character).outline, placed.height, placed.left,
                     placed.top);
    }
    return text;
}

int Layout::WidthDots() const noexcept {
    return dpi > 0.0 ? static_cast<int>(std::lround(widthMm * dpi / kMmPerInch)) : 0;
}

int Layout::HeightDots() const noexcept {
    return dpi > 0.0 ? static_cast<int>(std::lround(heightMm * dpi / kMmPerInch)) : 0;
}

Result<Layout> LayOut(std::string_view number, const ReviewedOptions& reviewed) {
    if (reviewed.options.gs1.carrier) {
        return LayOutCarrier(number, reviewed);
    }
    const Result<SymbolNumber> read = ReadSymbolNumber(number, reviewed.options.symbology);
    if (!read) {
        return Result<Layout>::FailureOf(read);
    }
    const Options& options = reviewed.options;
    const SymbolShape& shape = ShapeOf(read->symbology);
    Layout layout;
    layout.number = read->Text();
    layout.symbology = read->symbology;
    layout.modules = ModulesOf(read->symbology, read->digits);
    if (!read->addOn.empty()) {
        layout.addOn =
            ModulesOf(read->addOn.size() == 2 ? Symbology::Ean2 : Symbology::Ean5, read->addOn);
    }
    layout.note = read->note;
    layout.module = reviewed.module;
    layout.dpi = reviewed.dpi;
    layout.barHeightMm = reviewed.barHeightMm;
    const double x = layout.module.mm;
    const DotGrid grid(layout.dpi);

    // Across: the margins, the main symbol, the add-on after its gap.
    const double digitHeight = kNominalDigitHeightMm * layout.module.magnification;
    const double cell = SymbolGlyphs().Of('0').advance * digitHeight;
    SetMargins(layout, shape, options, cell);
    const double modules = static_cast<double>(layout.modules.count);
    layout.symbolLeftMm = layout.quietLeftModules * x;
    const double symbolRight = layout.symbolLeftMm + modules * x;
    const bool withAddOn = layout.addOn.count != 0;
    layout.addOnLeftMm = withAddOn ? symbolRight + layout.addOnGapModules * x : 0.0;
    const double right =
        withAddOn ? layout.addOnLeftMm + static_cast<double>(layout.addOn.count) * x : symbolRight;
    layout.widthMm = right + layout.quietRightModules * x;

    // Down: the main symbol's bars, its digits a module below the data bars; the add-on's
    // bars from a module below its digits as far down as the guard bars, and a module at
    // least where truncated bars end higher.
    const double barHeight = layout.barHeightMm;
    const double guardBottom = barHeight + kGuardExtensionModules * x;
    const std::size_t outerModules = kEdgeGuardModules + kCharacterModules;
    AppendBars(
        layout, reviewed, layout.modules, layout.symbolLeftMm, 0.0, barHeight, guardBottom,
        [&](std::size_t module) {
            return layout.modules.IsGuard(module) ||
                   (shape.longOuterCharacters &&
                    (module < outerModules || module + outerModules >= layout.modules.count));
        });
    const double addOnTop = grid.Up(digitHeight + x);
    const double addOnBottom = std::max(guardBottom, addOnTop + x);
    if (withAddOn) {
        AppendBars(layout, reviewed, layout.addOn, layout.addOnLeftMm, addOnTop, addOnBottom,
                   addOnBottom, [](std::size_t) { return false; });
    }
    layout.heightMm = grid.Up(std::max(barHeight + x + digitHeight, withAddOn ? addOnBottom : 0.0));
    PlaceDigits(layout, shape, *read, options.marginIndicators, digitHeight, cell);

    layout.foreground = options.foreground;
    layout.background = options.background;
    layout.transparentBackground = options.transparentBackground;
    return layout;
}

}  // namespace varnholt::render
