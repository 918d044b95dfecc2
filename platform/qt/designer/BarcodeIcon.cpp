#include "platform/qt/designer/BarcodeIcon.h"

#include <QImage>
#include <QPainter>
#include <QPixmap>

#include <algorithm>

#include "platform/qt/ControlToQt.h"
#include "raster/RasterHost.h"

namespace varnholt::qt {

QIcon BarcodeIcon() {
    raster::RasterHost host;
    host.Paint();
    const raster::SoftwareSurface& raster = host.Raster();
    const QImage symbol = ImageOf(raster);
    // Square, so that the widget box does not squeeze the symbol; the painter copies the
    // pixels, so the image may outlive the host's raster.
    const int side = std::max(raster.Width(), raster.Height());
    QImage icon(side, side, QImage::Format_RGB32);
    icon.fill(Qt::white);
    QPainter painter(&icon);
    painter.drawImage((side - symbol.width()) / 2, (side - symbol.height()) / 2, symbol);
    painter.end();
    return QIcon(QPixmap::fromImage(icon));
}

}  // namespace varnholt::qt
