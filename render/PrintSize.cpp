#include "render/PrintSize.h"

#include <algorithm>
#include <cmath>

#include "render/Millimetres.h"

namespace varnholt::render {
namespace {

std::string Percent(double magnification) {
    return std::to_string(static_cast<long>(std::lround(magnification * 100.0))) + " %";
}

// A little slack, so that a range's end asked for, or reached by whole dots, counts as inside.
constexpr double kSlackMm = 1e-9;

}  // namespace

Result<ModuleSize> SizeModule(double xDimensionMm, std::optional<double> dpi) {
    static const ModuleRange kFamily{kSmallestModuleMm, kNominalModuleMm, kLargestModuleMm,
                                     Millimetres(kSmallestModuleMm) + " to " +
                                         Millimetres(kLargestModuleMm) + " mm (80 to 200 % of " +
                                         Millimetres(kNominalModuleMm) + " mm)",
                                     true};
    return SizeModuleWithin(xDimensionMm, kFamily, dpi);
}

Result<ModuleSize> SizeModuleWithin(double xDimensionMm, const ModuleRange& range,
                                    std::optional<double> dpi) {
    const auto inRange = [&range](double mm) {
        return mm >= range.smallestMm - kSlackMm && mm <= range.largestMm + kSlackMm;
    };
    const auto report = [&range](std::string text, double mm) {
        return range.percent ? text + ", " + Percent(mm / range.targetMm) : text;
    };
    if (!std::isfinite(xDimensionMm) || !inRange(xDimensionMm)) {
        return Result<ModuleSize>::Failure(
            ErrorKind::Usage,
            "X-dimension " + Millimetres(xDimensionMm) + " mm is outside " + range.words);
    }
    if (!dpi) {
        return ModuleSize{xDimensionMm, xDimensionMm / range.targetMm, 0,
                          report(Millimetres(xDimensionMm) + " mm", xDimensionMm)};
    }
    if (!std::isfinite(*dpi) || *dpi <= 0.0 || *dpi > 100000.0) {
        return Result<ModuleSize>::Failure(ErrorKind::Usage,
                                           "resolution " + Millimetres(*dpi) +
                                               " dpi is not a printer's: give dots per inch, "
                                               "more than 0 and at most 100000");
    }
    const double dotMm = kMmPerInch / *dpi;
    // The nearest whole count, then the nearest inside the range if that one is not.
    int dots = std::max(1, static_cast<int>(std::lround(xDimensionMm / dotMm)));
    if (!inRange(dots * dotMm)) {
        const int fewest = static_cast<int>(std::ceil((range.smallestMm - kSlackMm) / dotMm));
        const int most = static_cast<int>(std::floor((range.largestMm + kSlackMm) / dotMm));
        if (fewest > most || most < 1) {
            return Result<ModuleSize>::Failure(
                ErrorKind::Usage,
                "at " + Millimetres(*dpi) + " dpi a dot is " + Millimetres(dotMm) +
                    " mm: no whole number of dots makes a module of " + range.words);
        }
        dots = dots < fewest ? fewest : most;
    }
    const double mm = dots * dotMm;
    const std::string dotsText = std::to_string(dots) + (dots == 1 ? " dot" : " dots");
    return ModuleSize{mm, mm / range.targetMm, dots,
                      report(Millimetres(xDimensionMm) + " mm at " + Millimetres(*dpi) +
                                 " dpi: " + dotsText + " = " + Millimetres(mm) + " mm",
                             mm)};
}

}  // namespace varnholt::render
