#pragma once

#include <QtQml/qqmlregistration.h>
#include <QColor>
#include <QQuickItem>
#include <QString>
#include <string>

#include "control/Barcode.h"
#include "control/ControlHost.h"
#include "raster/SoftwareSurface.h"

namespace varnholt::quick {

// A Qt Quick item that hosts one Barcode control: the type Barcode of the QML module
// Varnholt.
//
// As in BarcodeWidget, the control paints into a raster of the item's size, shown with each
// control pixel as a whole number of device pixels, never smoothed. Repaints the control asks
// for run inside the call that asked: once `value` is set, the derived properties are
// current and `change` has been emitted. The item's own `enabled` is the control's Enabled;
// its width is the one the control asks for on every resize.
class BarcodeItem : public QQuickItem, private ControlHost {
    Q_OBJECT
    QML_NAMED_ELEMENT(Barcode)
    // The control's Value: a text it refuses (not numeric, negative, over 13 characters, or
    // with characters beyond Latin-1) leaves the item unchanged.
    Q_PROPERTY(QString value READ ValueText WRITE SetValueText RESET ResetValue NOTIFY valueChanged)
    // The colour the control draws bars and digits in; the window-text colour until set, and
    // again after a reset (assigning undefined).
    Q_PROPERTY(QColor foreColor READ ForeColorShown WRITE SetForeColor RESET ResetForeColor NOTIFY
                   foreColorChanged)
    Q_PROPERTY(bool valid READ Valid NOTIFY change)
    Q_PROPERTY(QString country READ CountryText NOTIFY change)
    Q_PROPERTY(QString numberSystem READ NumberSystemText NOTIFY change)
    Q_PROPERTY(QString manufacturerCode READ ManufacturerCodeText NOTIFY change)
    Q_PROPERTY(QString productCode READ ProductCodeText NOTIFY change)

  public:
    // A new control: Enabled, window-text colour, the default number.
    explicit BarcodeItem(QQuickItem* parent = nullptr);
    ~BarcodeItem() override;

    // The hosted control: read and set its members here. Valid as long as the item.
    Barcode& Control() noexcept { return control_; }
    const Barcode& Control() const noexcept { return control_; }
    // The control's pixels as last painted.
    const raster::SoftwareSurface& Raster() const noexcept { return raster_; }
    // Whether the control currently accepts clicks (Enabled as of its last paint).
    bool ClicksEnabled() const noexcept { return clicksEnabled_; }

    QString ValueText() const;
    void SetValueText(const QString& value);
    void ResetValue();
    QColor ForeColorShown() const;
    void SetForeColor(const QColor& color);
    void ResetForeColor();
    bool Valid() const noexcept { return control_.Valid(); }
    QString CountryText() const;
    QString NumberSystemText() const;
    QString ManufacturerCodeText() const;
    QString ProductCodeText() const;

  Q_SIGNALS:
    // The painted number differs from the one painted before; emitted inside the paint, once
    // the derived properties are current.
    void change();
    // The user clicked, or double-clicked, the item; never while it is disabled.
    void click();
    void doubleClick();
    void valueChanged();
    void foreColorChanged();

  protected:
    void componentComplete() override;
    void geometryChange(const QRectF& newGeometry, const QRectF& oldGeometry) override;
    void itemChange(ItemChange change, const ItemChangeData& data) override;
    QSGNode* updatePaintNode(QSGNode* node, UpdatePaintNodeData* data) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

  private:
    // ControlHost
    void Repaint() override;
    void PropertyChanged(std::string_view propertyName) override;
    void RaiseEvent(int eventNumber) override;
    void SetEnabledState(bool enabled) override;
    DrawingSurface& Surface() override;
    float DrawingAreaHeight() override;
    void SetWidth(float twips) override;
    float TwipsPerPixel() override;

    // The raster as device pixels: each control pixel a square of whole device pixels.
    QImage Frame(qreal devicePixelRatio) const;

    raster::SoftwareSurface raster_;
    Barcode control_;
    std::string announcedValue_;
    OleColor announcedForeColor_ = 0;
    qreal framedRatio_ = 0;
    bool frameStale_ = true;
    bool clicksEnabled_ = true;
};

}  // namespace varnholt::quick
