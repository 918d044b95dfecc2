#pragma once

#include <functional>

#include "control/Barcode.h"
#include "control/ControlHost.h"
#include "control/PropertyStore.h"
#include "raster/SoftwareSurface.h"

namespace varnholt::raster {

// A control host without a window: the control paints at once into a raster of its own,
// filled white first. For programs that want the control's pixels (an image, a test, a
// server) rather than a widget. A host that watches the control (a test's, a fuzzer's)
// derives from this one and overrides the operations it watches.
class RasterHost : public ControlHost {
  public:
    // Tag for a host whose control is only created: placing it new or loading it is left to
    // the caller.
    struct CreatedOnly {};

    // Creates the control in a raster of the control's width and `height` pixels. With
    // `stored` it is restored from that store; without, it is placed new.
    explicit RasterHost(int height = 81, const PropertyStore* stored = nullptr);
    RasterHost(int height, CreatedOnly);
    RasterHost(const RasterHost&) = delete;
    RasterHost& operator=(const RasterHost&) = delete;

    // The hosted control: read and set its members here.
    Barcode& Control() noexcept { return control_; }
    // The control's pixels as last painted.
    const SoftwareSurface& Raster() const noexcept { return raster_; }
    SoftwareSurface& Raster() noexcept { return raster_; }
    // Runs for each event the control raises, with its number (Barcode::Change, ...).
    void OnEvent(std::function<void(int eventNumber)> handler) { onEvent_ = std::move(handler); }
    // Whether the control accepts clicks: Enabled as of its last paint.
    bool ClicksEnabled() const noexcept { return clicksEnabled_; }
    // Paints the control, as a window system does when it shows it: fills the raster white,
    // then runs the control's paint handler.
    virtual void Paint() noexcept;

    // Hands the control `surface` to draw on instead of the raster, for instance one that
    // watches the calls and passes them on to Raster(); nullptr for the raster itself.
    void DrawThrough(DrawingSurface* surface) noexcept { drawThrough_ = surface; }
    // Reports `height` as the drawing area's height, whatever the raster's own; the raster
    // keeps its size.
    void ReportHeight(float height) noexcept { reportedHeight_ = height; }

    void Repaint() override { Paint(); }
    void PropertyChanged(std::string_view) override {}
    void RaiseEvent(int eventNumber) override;
    void SetEnabledState(bool enabled) override { clicksEnabled_ = enabled; }
    DrawingSurface& Surface() override;
    float DrawingAreaHeight() override { return reportedHeight_; }
    // The raster keeps the control's width; there is nothing else to resize.
    void SetWidth(float) override {}
    float TwipsPerPixel() override { return 15.0f; }

  private:
    SoftwareSurface raster_;
    Barcode control_;
    std::function<void(int)> onEvent_;
    DrawingSurface* drawThrough_ = nullptr;
    float reportedHeight_;
    bool clicksEnabled_ = true;
};

}  // namespace varnholt::raster
