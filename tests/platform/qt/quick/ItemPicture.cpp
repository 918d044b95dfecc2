#include "tests/platform/qt/quick/ItemPicture.h"

#include <QImage>
#include <QQuickItem>
#include <QQuickWindow>

#include "tests/platform/qt/ImageScan.h"

namespace varnholt::test {
namespace {

// The item's part of its window's picture, in device pixels.
QImage Grab(QQuickItem* item) {
    const QImage window = item->window()->grabWindow();
    // In device pixels, whether or not the grab says so.
    const qreal ratio = item->window()->effectiveDevicePixelRatio();
    const QRectF scene = item->mapRectToScene(item->boundingRect());
    const QRectF device(scene.topLeft() * ratio, scene.size() * ratio);
    return window.copy(device.toAlignedRect()).convertToFormat(QImage::Format_RGB32);
}

}  // namespace

int ItemPicture::ExpectedScale() const {
    return qEnvironmentVariableIsSet("VARNHOLT_PIXEL_SCALE")
               ? qEnvironmentVariableIntValue("VARNHOLT_PIXEL_SCALE")
               : 1;
}

QStringList ItemPicture::scan(QQuickItem* item) const {
    QStringList found;
    for (const std::string& symbol : ScanWithZBar(Grab(item))) {
        found << QString::fromStdString(symbol);
    }
    return found;
}

QString ItemPicture::blur(QQuickItem* item, int scale, const QColor& ink) const {
    const QImage shown = Grab(item);
    const int width = static_cast<int>(item->width());
    const int height = static_cast<int>(item->height());
    if (shown.width() < width * scale || shown.height() < height * scale) {
        return QStringLiteral("the picture is %1 x %2 device pixels")
            .arg(shown.width())
            .arg(shown.height());
    }
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const QRgb first = shown.pixel(x * scale, y * scale);
            if (first != qRgb(255, 255, 255) && first != ink.rgb()) {
                return QStringLiteral("control pixel %1,%2 is %3")
                    .arg(x)
                    .arg(y)
                    .arg(QColor(first).name());
            }
            for (int dy = 0; dy < scale; ++dy) {
                for (int dx = 0; dx < scale; ++dx) {
                    if (shown.pixel(x * scale + dx, y * scale + dy) != first) {
                        return QStringLiteral("control pixel %1,%2 is not one colour")
                            .arg(x)
                            .arg(y);
                    }
                }
            }
        }
    }
    return {};
}

}  // namespace varnholt::test
