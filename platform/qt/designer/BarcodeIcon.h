#pragma once

#include <QIcon>

namespace varnholt::qt {

// The widget box's icon: the control itself, placed new, painted into a raster of its own.
QIcon BarcodeIcon();

}  // namespace varnholt::qt
