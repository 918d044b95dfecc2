#include "sheets/LabelFit.h"

#include <algorithm>
#include <cmath>

#include "render/Millimetres.h"
#include "render/PrintSize.h"

namespace varnholt::sheets {
namespace {

// Sums of lengths read from template files may miss an exact fit by a rounding.
constexpr double kSlackMm = 1e-6;

bool Fits(const SymbolExtent& extent, const LabelRoom& room, double xMm) {
    return extent.WidthMm(xMm) <= room.widthMm - 2 * room.marginMm + kSlackMm &&
           extent.HeightMm(xMm) <= room.heightMm - 2 * room.marginMm + kSlackMm;
}

Result<double> TooSmall(const SymbolExtent& extent, const LabelRoom& room, double xMm) {
    const double percent = std::round(100.0 * xMm / render::kNominalModuleMm);
    return Result<double>::Failure(
        ErrorKind::Usage,
        "the label (" + render::Millimetres(room.widthMm) + " x " +
            render::Millimetres(room.heightMm) + " mm) is too small: at " +
            render::Millimetres(xMm) + " mm (" + std::to_string(static_cast<int>(percent)) +
            " %) the symbol needs a label of at least " +
            render::Millimetres(extent.WidthMm(xMm) + 2 * room.marginMm) + " x " +
            render::Millimetres(extent.HeightMm(xMm) + 2 * room.marginMm) + " mm");
}

}  // namespace

Result<double> FitModule(const SymbolExtent& extent, const LabelRoom& room,
                         std::optional<double> requestedMm, std::optional<double> dpi,
                         double targetMm) {
    if (requestedMm) {
        const Result<render::ModuleSize> module = render::SizeModule(*requestedMm, dpi);
        if (!module) {
            return Result<double>::FailureOf(module);
        }
        return Fits(extent, room, module->mm) ? Result<double>(module->mm)
                                              : TooSmall(extent, room, module->mm);
    }
    const double acrossMm = (room.widthMm - 2 * room.marginMm) / extent.widthModules;
    const double downMm =
        extent.heightModules > 0.0
            ? (room.heightMm - 2 * room.marginMm - extent.fixedHeightMm) / extent.heightModules
            : render::kLargestModuleMm;
    // A micrometre's precision keeps the size said plain.
    double xMm = std::floor(std::min({acrossMm, downMm, targetMm}) * 1000.0) / 1000.0;
    if (dpi && *dpi > 0.0) {
        // Whole dots, rounded down so that the symbol still fits, and no more than the
        // target comes to in dots.
        const double dot = render::kMmPerInch / *dpi;
        const Result<render::ModuleSize> target = render::SizeModule(targetMm, dpi);
        const double most = target ? target->mm : targetMm;
        xMm = std::min({std::floor(std::min({acrossMm, downMm}) / dot + 1e-9) * dot, most});
        if (xMm < render::kSmallestModuleMm - 1e-9) {
            const double smallest = std::ceil(render::kSmallestModuleMm / dot - 1e-9) * dot;
            return TooSmall(extent, room, smallest);
        }
    }
    if (xMm < render::kSmallestModuleMm - 1e-9 || !Fits(extent, room, xMm)) {
        return TooSmall(extent, room, render::kSmallestModuleMm);
    }
    return xMm;
}

}  // namespace varnholt::sheets
