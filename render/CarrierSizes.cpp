#include "render/CarrierSizes.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "render/Millimetres.h"

namespace varnholt::render {
namespace {

std::string RangeOf(DataCarrier carrier) {
    const CarrierSize& size = SizeOf(carrier);
    return Millimetres(size.smallestMm) + " to " + Millimetres(size.largestMm) + " mm for " +
           std::string(TitleOf(carrier)) + " (target " + Millimetres(size.targetMm) + " mm)";
}

}  // namespace

Result<ModuleSize> SizeCarrierModule(DataCarrier carrier, std::optional<double> xDimensionMm,
                                     std::optional<double> dpi) {
    const CarrierSize& size = SizeOf(carrier);
    const ModuleRange range{size.smallestMm, size.targetMm, size.largestMm, RangeOf(carrier),
                            false};
    return SizeModuleWithin(xDimensionMm.value_or(size.targetMm), range, dpi);
}

}  // namespace varnholt::render
