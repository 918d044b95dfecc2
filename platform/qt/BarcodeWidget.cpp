#include "platform/qt/BarcodeWidget.h"

#include <QAccessible>
#include <QClipboard>
#include <QGuiApplication>
#include <QImage>
#include <QMouseEvent>
#include <QPainter>
#include <QResizeEvent>
#include <algorithm>
#include <cmath>

#include "platform/qt/BarcodeAccessible.h"
#include "platform/qt/ControlToQt.h"
#include "platform/qt/PrintSymbol.h"
#include "raster/WholeScale.h"

namespace varnholt::qt {
namespace {

constexpr int kDefaultHeight = 81;
constexpr float kTwipsPerInch = 1440.0f;

}  // namespace

BarcodeWidget::BarcodeWidget(QWidget* parent, const PropertyStore* stored)
    : QWidget(parent), buffer_(Barcode::Width, kDefaultHeight), control_(*this) {
    InstallBarcodeAccessibility();
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::NoFocus);
    setAccessibleName(tr("Bar code"));
    resize(Barcode::Width, kDefaultHeight);
    if (stored != nullptr) {
        control_.OnLoad(*stored);
    } else {
        control_.OnNewInstance();
    }
}

BarcodeWidget::~BarcodeWidget() = default;

QSize BarcodeWidget::sizeHint() const {
    return {Barcode::Width, kDefaultHeight};
}

void BarcodeWidget::Save(PropertyStore& store) {
    control_.OnSave(store);
    modified_ = false;
}

QString BarcodeWidget::AccessibleValue() const {
    const std::string value = control_.Value();
    if (value.empty()) {
        return tr("no number");
    }
    QString text = ToQString(value);
    if (value.size() == 13) {
        text += control_.Valid() ? tr(", valid") : tr(", not valid");
        const std::string country = control_.Country();
        if (!country.empty()) {
            text += QStringLiteral(", ") + ToQString(country);
        }
    }
    return text;
}

bool BarcodeWidget::HasPrintSymbol() const {
    return PrintNumber(control_).has_value();
}

Result<std::string> BarcodeWidget::PrintSymbol(render::FileFormat format) const {
    return EncodePrintSymbol(control_, format);
}

bool BarcodeWidget::CopyPrintSymbol() const {
    std::unique_ptr<QMimeData> symbol = PrintSymbolMimeData(control_);
    if (symbol == nullptr) {
        return false;
    }
    QGuiApplication::clipboard()->setMimeData(symbol.release());
    return true;
}

QString BarcodeWidget::ValueProperty() const {
    return qt::ValueProperty(control_);
}

void BarcodeWidget::SetValueProperty(const QString& value) {
    qt::SetValueProperty(control_, value);
}

void BarcodeWidget::ResetValueProperty() {
    qt::ResetValueProperty(control_);
}

void BarcodeWidget::SetEnabledProperty(bool enabled) {
    control_.Enabled(enabled);
}

void BarcodeWidget::ResetEnabledProperty() {
    control_.Enabled(true);  // as placed new
}

QColor BarcodeWidget::ForeColorProperty() const {
    return qt::ForeColorProperty(control_);
}

void BarcodeWidget::SetForeColorProperty(const QColor& color) {
    qt::SetForeColorProperty(control_, color);
}

void BarcodeWidget::ResetForeColorProperty() {
    qt::ResetForeColorProperty(control_);
}

QString BarcodeWidget::CountryProperty() const {
    return ToQString(control_.Country());
}

QString BarcodeWidget::NumberSystemProperty() const {
    return CodePartProperty(control_.NumberSystem());
}

QString BarcodeWidget::ManufacturerCodeProperty() const {
    return CodePartProperty(control_.ManufacturerCode());
}

QString BarcodeWidget::ProductCodeProperty() const {
    return CodePartProperty(control_.ProductCode());
}

void BarcodeWidget::PaintControl() {
    ++paintDepth_;
    buffer_.Fill(kWhite);
    control_.OnPaint();
    --paintDepth_;
    // Show what the paint drew; a window-system paint that finds this flag set only shows it.
    freshPaint_ = true;
    update();
    AnnounceValue();
}

void BarcodeWidget::PaintControlLater() {
    if (paintQueued_) {
        return;
    }
    paintQueued_ = true;
    QMetaObject::invokeMethod(
        this,
        [this] {
            paintQueued_ = false;
            // A paint still under way (a Change handler's modal box) shows its own result
            // when it ends; painting again inside it would raise Change a second time.
            if (paintDepth_ == 0) {
                PaintControl();
            }
        },
        Qt::QueuedConnection);
}

void BarcodeWidget::AnnounceValue() {
    if (QAccessible::isActive()) {
        QAccessibleValueChangeEvent event(this, AccessibleValue());
        QAccessible::updateAccessibility(&event);
    }
}

void BarcodeWidget::paintEvent(QPaintEvent* /*event*/) {
    const int scale = raster::WholeScale(devicePixelRatioF());
    QImage image = ImageOf(buffer_);
    if (scale > 1) {
        image = image.scaled(image.size() * scale, Qt::IgnoreAspectRatio, Qt::FastTransformation);
    }
    image.setDevicePixelRatio(devicePixelRatioF());
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    painter.drawImage(QPointF(0, 0), image);

    if (freshPaint_) {
        freshPaint_ = false;
    } else if (paintDepth_ == 0) {
        // Shown or uncovered: the control paints again, as it would on its own platform.
        PaintControlLater();
    }
}

void BarcodeWidget::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    buffer_.Resize(width(), height());
    freshPaint_ = false;
    control_.OnResize();
}

void BarcodeWidget::mouseReleaseEvent(QMouseEvent* event) {
    if (clicksEnabled_ && rect().contains(event->position().toPoint())) {
        control_.OnClick();
    }
}

void BarcodeWidget::mouseDoubleClickEvent(QMouseEvent* /*event*/) {
    if (clicksEnabled_) {
        control_.OnDoubleClick();
    }
}

void BarcodeWidget::Repaint() {
    PaintControl();
}

void BarcodeWidget::PropertyChanged(std::string_view propertyName) {
    modified_ = true;
    Q_EMIT Modified(ToQString(propertyName));
}

void BarcodeWidget::RaiseEvent(int eventNumber) {
    switch (eventNumber) {
        case Barcode::Change:
            Q_EMIT Change();
            break;
        case Barcode::Click:
            Q_EMIT Click();
            break;
        case Barcode::DblClick:
            Q_EMIT DblClick();
            break;
        default:
            break;
    }
}

void BarcodeWidget::SetEnabledState(bool enabled) {
    clicksEnabled_ = enabled;
}

DrawingSurface& BarcodeWidget::Surface() {
    return buffer_;
}

float BarcodeWidget::DrawingAreaHeight() {
    return static_cast<float>(height());
}

void BarcodeWidget::SetWidth(float twips) {
    const float pixels = twips / TwipsPerPixel();
    if (std::isfinite(pixels) && pixels >= 0.0f && pixels <= QWIDGETSIZE_MAX) {
        setFixedWidth(static_cast<int>(std::lround(pixels)));
    }
}

float BarcodeWidget::TwipsPerPixel() {
    return kTwipsPerInch / static_cast<float>(logicalDpiX());
}

}  // namespace varnholt::qt
