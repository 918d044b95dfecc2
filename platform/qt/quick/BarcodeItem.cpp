#include "platform/qt/quick/BarcodeItem.h"

#include <QImage>
#include <QMouseEvent>
#include <QQuickWindow>
#include <QSGImageNode>
#include <QSGRectangleNode>
#include <algorithm>
#include <cmath>

#include "platform/qt/ControlToQt.h"
#include "raster/WholeScale.h"

namespace varnholt::quick {
namespace {

using qt::ImageOf;
using qt::ToControlText;
using qt::ToOleColor;
using qt::ToQColor;
using qt::ToQString;

constexpr int kDefaultHeight = 81;
// Qt Quick lays out in device-independent pixels, 96 to the inch.
constexpr float kTwipsPerPixel = 15.0f;

int RasterSide(qreal length) {
    return static_cast<int>(std::lround(std::max<qreal>(0, length)));
}

}  // namespace

BarcodeItem::BarcodeItem(QQuickItem* parent)
    : QQuickItem(parent), raster_(Barcode::Width, kDefaultHeight), control_(*this) {
    setFlag(ItemHasContents);
    setAcceptedMouseButtons(Qt::AllButtons);
    control_.OnNewInstance();
    announcedValue_ = control_.Value();
    announcedForeColor_ = control_.ForeColor();
    setImplicitSize(Barcode::Width, kDefaultHeight);
    // The item's enabled state, set from QML or inherited from its parent, is the control's.
    connect(this, &QQuickItem::enabledChanged, this, [this] {
        if (isEnabled() != control_.Enabled()) {
            control_.Enabled(isEnabled());
        }
    });
}

BarcodeItem::~BarcodeItem() = default;

QString BarcodeItem::ValueText() const {
    return qt::ValueProperty(control_);
}

void BarcodeItem::SetValueText(const QString& value) {
    qt::SetValueProperty(control_, value);
}

void BarcodeItem::ResetValue() {
    qt::ResetValueProperty(control_);
}

QColor BarcodeItem::ForeColorShown() const {
    return qt::ForeColorProperty(control_);
}

void BarcodeItem::SetForeColor(const QColor& color) {
    qt::SetForeColorProperty(control_, color);
}

void BarcodeItem::ResetForeColor() {
    qt::ResetForeColorProperty(control_);
}

QString BarcodeItem::CountryText() const {
    return ToQString(control_.Country());
}

QString BarcodeItem::NumberSystemText() const {
    return qt::CodePartProperty(control_.NumberSystem());
}

QString BarcodeItem::ManufacturerCodeText() const {
    return qt::CodePartProperty(control_.ManufacturerCode());
}

QString BarcodeItem::ProductCodeText() const {
    return qt::CodePartProperty(control_.ProductCode());
}

void BarcodeItem::componentComplete() {
    QQuickItem::componentComplete();
    // Shown for the first time, as a window system paints a new window.
    Repaint();
}

void BarcodeItem::geometryChange(const QRectF& newGeometry, const QRectF& oldGeometry) {
    QQuickItem::geometryChange(newGeometry, oldGeometry);
    if (newGeometry.size() == oldGeometry.size()) {
        return;
    }
    raster_.Resize(RasterSide(newGeometry.width()), RasterSide(newGeometry.height()));
    control_.OnResize();
    Repaint();
}

void BarcodeItem::itemChange(ItemChange change, const ItemChangeData& data) {
    QQuickItem::itemChange(change, data);
    if (change == ItemDevicePixelRatioHasChanged || change == ItemSceneChange) {
        update();
    }
}

QSGNode* BarcodeItem::updatePaintNode(QSGNode* node, UpdatePaintNodeData* /*data*/) {
    // A white ground for the whole item, and on it the control's pixels, drawn one texel to
    // one device pixel with nearest filtering.
    auto* ground = static_cast<QSGRectangleNode*>(node);
    if (ground == nullptr) {
        ground = window()->createRectangleNode();
        ground->setColor(Qt::white);
        QSGImageNode* picture = window()->createImageNode();
        picture->setFiltering(QSGTexture::Nearest);
        picture->setOwnsTexture(true);
        ground->appendChildNode(picture);
        frameStale_ = true;
    }
    ground->setRect(boundingRect());
    const qreal ratio = window()->effectiveDevicePixelRatio();
    if (frameStale_ || ratio != framedRatio_) {
        auto* picture = static_cast<QSGImageNode*>(ground->firstChild());
        const QImage frame = Frame(ratio);
        picture->setTexture(window()->createTextureFromImage(frame));
        picture->setRect(QRectF(0, 0, frame.width() / ratio, frame.height() / ratio));
        frameStale_ = false;
        framedRatio_ = ratio;
    }
    return ground;
}

QImage BarcodeItem::Frame(qreal devicePixelRatio) const {
    if (raster_.Width() == 0 || raster_.Height() == 0) {
        QImage blank(1, 1, QImage::Format_RGB32);
        blank.fill(Qt::white);
        return blank;
    }
    const QImage pixels = ImageOf(raster_);
    const int scale = raster::WholeScale(devicePixelRatio);
    // Either way a copy: the texture is made from it after this returns.
    return scale > 1
               ? pixels.scaled(pixels.size() * scale, Qt::IgnoreAspectRatio, Qt::FastTransformation)
               : pixels.copy();
}

void BarcodeItem::mousePressEvent(QMouseEvent* event) {
    event->accept();  // so that the release comes here too
}

void BarcodeItem::mouseReleaseEvent(QMouseEvent* event) {
    if (clicksEnabled_ && contains(event->position())) {
        control_.OnClick();
    }
}

void BarcodeItem::mouseDoubleClickEvent(QMouseEvent* /*event*/) {
    if (clicksEnabled_) {
        control_.OnDoubleClick();
    }
}

void BarcodeItem::Repaint() {
    // Until QML has set up the item there is nothing to show; componentComplete paints.
    if (!isComponentComplete()) {
        return;
    }
    raster_.Fill(kWhite);
    control_.OnPaint();
    frameStale_ = true;
    update();
}

void BarcodeItem::PropertyChanged(std::string_view propertyName) {
    if (propertyName == "Value" && control_.Value() != announcedValue_) {
        announcedValue_ = control_.Value();
        Q_EMIT valueChanged();
    } else if (propertyName == "ForeColor" && control_.ForeColor() != announcedForeColor_) {
        announcedForeColor_ = control_.ForeColor();
        Q_EMIT foreColorChanged();
    } else if (propertyName == "Enabled" && control_.Enabled() != isEnabled()) {
        setEnabled(control_.Enabled());
    }
}

void BarcodeItem::RaiseEvent(int eventNumber) {
    switch (eventNumber) {
        case Barcode::Change:
            Q_EMIT change();
            break;
        case Barcode::Click:
            Q_EMIT click();
            break;
        case Barcode::DblClick:
            Q_EMIT doubleClick();
            break;
        default:
            break;
    }
}

void BarcodeItem::SetEnabledState(bool enabled) {
    clicksEnabled_ = enabled;
}

DrawingSurface& BarcodeItem::Surface() {
    return raster_;
}

float BarcodeItem::DrawingAreaHeight() {
    return static_cast<float>(height());
}

void BarcodeItem::SetWidth(float twips) {
    const float pixels = twips / TwipsPerPixel();
    if (std::isfinite(pixels) && pixels >= 0.0f && pixels <= 1e6f) {
        setImplicitWidth(pixels);
        setWidth(pixels);
    }
}

float BarcodeItem::TwipsPerPixel() {
    return kTwipsPerPixel;
}

}  // namespace varnholt::quick
