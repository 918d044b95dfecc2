#include "platform/gdi/RasterHost.h"

namespace varnholt::gdi {

RasterHost::RasterHost(int height, const PropertyStore* stored)
    : raster_(Barcode::Width, height), control_(*this) {
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

}  // namespace varnholt::gdi
