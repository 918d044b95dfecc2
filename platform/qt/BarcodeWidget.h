#pragma once

#include <QColor>
#include <QString>
#include <QWidget>

#include "control/Barcode.h"
#include "control/ControlHost.h"
#include "control/PropertyStore.h"
#include "model/Result.h"
#include "raster/SoftwareSurface.h"
#include "render/FileFormat.h"

namespace varnholt::qt {

// A Qt widget that hosts one Barcode control, for any Qt window to place.
//
// The control paints into a back buffer (a software surface of the widget's size) that the
// widget shows, each control pixel as a whole number of device pixels, never smoothed.
// Repaints the control asks for run at once, inside the call that asked; the control's
// events reach Qt as the signals Change, Click and DblClick, emitted synchronously.
//
// The control's members are also Qt properties, for form designers and generic code: the
// persisted Value, Enabled and ForeColor go through the control's setters (so a refused Value
// changes nothing) and reset to what a new control holds; the derived ones are read-only and
// never stored. ForeColor reads as the colour the control draws, system colours translated.
class BarcodeWidget final : public QWidget, private ControlHost {
    Q_OBJECT
    Q_PROPERTY(QString Value READ ValueProperty WRITE SetValueProperty RESET ResetValueProperty
                   NOTIFY Change)
    Q_PROPERTY(
        bool Enabled READ EnabledProperty WRITE SetEnabledProperty RESET ResetEnabledProperty)
    Q_PROPERTY(QColor ForeColor READ ForeColorProperty WRITE SetForeColorProperty RESET
                   ResetForeColorProperty)
    Q_PROPERTY(bool Valid READ ValidProperty STORED false NOTIFY Change)
    Q_PROPERTY(QString Country READ CountryProperty STORED false NOTIFY Change)
    Q_PROPERTY(QString NumberSystem READ NumberSystemProperty STORED false NOTIFY Change)
    Q_PROPERTY(QString ManufacturerCode READ ManufacturerCodeProperty STORED false NOTIFY Change)
    Q_PROPERTY(QString ProductCode READ ProductCodeProperty STORED false NOTIFY Change)

  public:
    // Creates the control. With `stored` it is restored from that store; without, it is
    // placed new (Enabled, window-text colour, the default number).
    explicit BarcodeWidget(QWidget* parent = nullptr, const PropertyStore* stored = nullptr);
    ~BarcodeWidget() override;

    // The hosted control: read and set its members here. Valid as long as the widget.
    Barcode& Control() noexcept { return control_; }
    const Barcode& Control() const noexcept { return control_; }
    // The control's pixels as last painted.
    const raster::SoftwareSurface& BackBuffer() const noexcept { return buffer_; }
    // Whether the control currently accepts clicks (Enabled as of its last paint).
    bool ClicksEnabled() const noexcept { return clicksEnabled_; }
    // Whether a property changed since the last Save.
    bool IsModified() const noexcept { return modified_; }
    // Writes the control's persisted properties to `store`.
    void Save(PropertyStore& store);

    // The text screen readers get as the control's value.
    QString AccessibleValue() const;

    // The number's print-quality symbol, true to size, for printing or another program (see
    // PrintSymbol.h): only a complete, valid 13-digit number has one.
    bool HasPrintSymbol() const;
    // The symbol's file bytes in `format`; refused, with a message, when there is none.
    Result<std::string> PrintSymbol(render::FileFormat format) const;
    // Puts the symbol on the clipboard as SVG and PNG; false, and the clipboard left as it
    // was, when there is none.
    bool CopyPrintSymbol() const;

    // The control's own size: 115 x 81 pixels.
    QSize sizeHint() const override;

    // The Qt properties. Texts are the control's 8-bit texts as Latin-1; a text with other
    // characters is refused like any other text the Value setter refuses. Code parts read as
    // their message text ("0" when not set). An invalid colour is ignored.
    QString ValueProperty() const;
    void SetValueProperty(const QString& value);
    void ResetValueProperty();
    bool EnabledProperty() const noexcept { return control_.Enabled(); }
    void SetEnabledProperty(bool enabled);
    void ResetEnabledProperty();
    QColor ForeColorProperty() const;
    void SetForeColorProperty(const QColor& color);
    void ResetForeColorProperty();
    bool ValidProperty() const noexcept { return control_.Valid(); }
    QString CountryProperty() const;
    QString NumberSystemProperty() const;
    QString ManufacturerCodeProperty() const;
    QString ProductCodeProperty() const;

  Q_SIGNALS:
    // The painted number differs from the one painted before; emitted inside the paint,
    // after the symbol is drawn and Valid, Country and the code parts are current.
    void Change();
    // The user clicked, or double-clicked, the control; never while it is disabled.
    void Click();
    void DblClick();
    // A persisted property changed; the container should save before it is lost.
    void Modified(const QString& propertyName);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
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

    // Fills the buffer white and runs the control's paint handler into it.
    void PaintControl();
    // Runs a paint the window system asked for, outside the window system's paint event,
    // so that a Change handler may open a modal box.
    void PaintControlLater();
    void AnnounceValue();

    raster::SoftwareSurface buffer_;
    Barcode control_;
    int paintDepth_ = 0;
    bool freshPaint_ = false;
    bool paintQueued_ = false;
    bool clicksEnabled_ = true;
    bool modified_ = false;
};

}  // namespace varnholt::qt
