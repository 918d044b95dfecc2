#include "render/CarrierSizes.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "render/Millimetres.h"

namespace varnholt::render {
namespace {

// A little slack, so that a range's end asked for, or reached by whole dots, counts as inside.
constexpr double kSlackMm = 1e-9;

std::string RangeOf(DataCarrier carrier) {
    const CarrierSize& size = SizeOf(carrier);
    return Millimetres(size.smallestMm) + " to " + Millimetres(size.largestMm) + " mm for " +
           std::string(TitleOf(carrier)) + " (target " + Millimetres(size.targetMm) + " mm)";
}

}  // namespace

Result<ModuleSize> SizeCarrierModule(DataCarrier carrier, std::optional<double> xDimensionMm,
                                     std::optional<double> dpi) {
    const CarrierSize& size = SizeOf(carrier);
    const double asked = xDimensionMm.value_or(size.targetMm);
    const auto inRange = [&size](double mm) {
        return mm >= size.smallestMm - kSlackMm && mm <= size.largestMm + kSlackMm;
    };
    if (!std::isfinite(asked) || !inRange(asked)) {
        return Result<ModuleSize>::Failure(
            ErrorKind::Usage,
            "X-dimension " + Millimetres(asked) + " mm is outside " + RangeOf(carrier));
    }
    if (!dpi) {
        return ModuleSize{asked, asked / size.targetMm, 0, Millimetres(asked) + " mm"};
    }
    if (!std::isfinite(*dpi) || *dpi <= 0.0 || *dpi > 100000.0) {
        return Result<ModuleSize>::Failure(ErrorKind::Usage,
                                           "resolution " + Millimetres(*dpi) +
                                               " dpi is not a printer's: give dots per inch, "
                                               "more than 0 and at most 100000");
    }
    const double dotMm = kMmPerInch / *dpi;
    int dots = std::max(1, static_cast<int>(std::lround(asked / dotMm)));
    if (!inRange(dots * dotMm)) {
        const int fewest = static_cast<int>(std::ceil((size.smallestMm - kSlackMm) / dotMm));
        const int most = static_cast<int>(std::floor((size.largestMm + kSlackMm) / dotMm));
        if (fewest > most || most < 1) {
            return Result<ModuleSize>::Failure(
                ErrorKind::Usage,
                "at " + Millimetres(*dpi) + " dpi a dot is " + Millimetres(dotMm) +
                    " mm: no whole number of dots makes a module of " + RangeOf(carrier));
        }
        dots = dots < fewest ? fewest : most;
    }
    const double mm = dots * dotMm;
    return ModuleSize{mm, mm / size.targetMm, dots,
                      Millimetres(asked) + " mm at " + Millimetres(*dpi) +
                          " dpi: " + std::to_string(dots) + (dots == 1 ? " dot" : " dots") + " = " +
                          Millimetres(mm) + " mm"};
}

}  // namespace varnholt::render
