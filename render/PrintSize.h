#pragma once

#include <optional>
#include <string>

#include "model/Result.h"

namespace varnholt::render {

// The module width a request comes to.
struct ModuleSize {
    double mm = 0.0;           // the X-dimension drawn
    double magnification = 0;  // mm / 0.330
    int dots = 0;              // dots per module; 0 without a resolution
    std::string report;        // e.g. "0.33 mm at 203 dpi: 3 dots = 0.375 mm, 114 %"
};

inline constexpr double kNominalModuleMm = 0.330;
inline constexpr double kSmallestModuleMm = 0.264;  // 80 %
inline constexpr double kLargestModuleMm = 0.660;   // 200 %
inline constexpr double kMmPerInch = 25.4;

// The module width for an X-dimension in millimetres, snapped to whole dots at `dpi` when
// given: the whole number of dots nearest the request among those whose width lies within
// 80 to 200 %. Refused, with the range in the message, for an X-dimension outside it, a
// resolution that is not a positive number, or one at which no dot count fits.
Result<ModuleSize> SizeModule(double xDimensionMm, std::optional<double> dpi);

// A range of module widths a symbol may be drawn at, and how messages name it.
struct ModuleRange {
    double smallestMm = 0.0;
    double targetMm = 0.0;  // the size magnifications are counted from
    double largestMm = 0.0;
    std::string words;     // e.g. "0.264 to 0.66 mm (80 to 200 % of 0.33 mm)"
    bool percent = false;  // whether reports say the magnification
};

// SizeModule's snapping for any range: the request refused outside `range`, else snapped to
// the nearest whole dots within it at `dpi`.
Result<ModuleSize> SizeModuleWithin(double xDimensionMm, const ModuleRange& range,
                                    std::optional<double> dpi);

}  // namespace varnholt::render
