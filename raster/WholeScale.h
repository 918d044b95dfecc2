#pragma once

#include <algorithm>
#include <cmath>

namespace varnholt::raster {

// The largest whole number of device pixels per raster pixel that fits a device pixel
// ratio: bars stay crisp, and all of them equally wide, at any scaling.
inline int WholeScale(double devicePixelRatio) {
    return std::max(1, static_cast<int>(std::floor(devicePixelRatio + 1e-9)));
}

}  // namespace varnholt::raster
