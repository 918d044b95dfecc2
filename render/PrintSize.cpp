#include "render/PrintSize.h"

#include <algorithm>
#include <cmath>

#include "render/Millimetres.h"

namespace varnholt::render {
namespace {

std::string Percent(double magnification) {
    return std::to_string(static_cast<long>(std::lround(magnification * 100.0))) + " %";
}

const std::string kRange = Millimetres(kSmallestModuleMm) + " to " + Millimetres(kLargestModuleMm) +
                           " mm (80 to 200 % of " + Millimetres(kNominalModuleMm) + " mm)";

// A little slack, so that 0.264 mm asked for, or reached by whole dots, counts as inside.
constexpr double kSlackMm = 1e-9;

bool InRange(double mm) {
    return mm >= kSmallestModuleMm - kSlackMm && mm <= kLargestModuleMm + kSlackMm;
}

}  // namespace

Result<ModuleSize> SizeModule(double xDimensionMm, std::optional<double> dpi) {
    if (!std::isfinite(xDimensionMm) || !InRange(xDimensionMm)) {
        return Result<ModuleSize>::Failure(
            ErrorKind::Usage,
            "X-dimension " + Millimetres(xDimensionMm) + " mm is outside " + kRange);
    }
    if (!dpi) {
        return ModuleSize{
            xDimensionMm, xDimensionMm / kNominalModuleMm, 0,
            Millimetres(xDimensionMm) + " mm, " + Percent(xDimensionMm / kNominalModuleMm)};
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
    if (!InRange(dots * dotMm)) {
        const int fewest = static_cast<int>(std::ceil((kSmallestModuleMm - kSlackMm) / dotMm));
        const int most = static_cast<int>(std::floor((kLargestModuleMm + kSlackMm) / dotMm));
        if (fewest > most || most < 1) {
            return Result<ModuleSize>::Failure(
                ErrorKind::Usage, "at " + Millimetres(*dpi) + " dpi a dot is " +
                                      Millimetres(dotMm) +
                                      " mm: no whole number of dots makes a module of " + kRange);
        }
        dots = dots < fewest ? fewest : most;
    }
    const double mm = dots * dotMm;
    const std::string dotsText = std::to_string(dots) + (dots == 1 ? " dot" : " dots");
    return ModuleSize{mm, mm / kNominalModuleMm, dots,
                      Millimetres(xDimensionMm) + " mm at " + Millimetres(*dpi) +
                          " dpi: " + dotsText + " = " + Millimetres(mm) + " mm, " +
                          Percent(mm / kNominalModuleMm)};
}

}  // namespace varnholt::render
