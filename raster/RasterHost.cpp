#include "raster/RasterHost.h"

namespace varnholt::raster {

RasterHost::RasterHost(int height, CreatedOnly)
    : raster_(Barcode::Width, height),
      control_(*this),
      reportedHeight_(static_cast<float>(raster_.Height())) {}

RasterHost::RasterHost(int height, const PropertyStore* stored)
    : RasterHost(height, CreatedOnly{}) {
    if (stored != nullptr) {
        control_.OnLoad(*stored);
    } else {
        control_.OnNewInstance();
    }
}

void RasterHost::Paint() noexcept {
    raster_.Fill(kWhite);
    control_.OnPaint();
}

void RasterHost::RaiseEvent(int eventNumber) {
    if (onEvent_) {
        onEvent_(eventNumber);
    }
}

DrawingSurface& RasterHost::Surface() {
    return drawThrough_ != nullptr ? *drawThrough_ : raster_;
}

}  // namespace varnholt::raster
