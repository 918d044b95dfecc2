#pragma once

#include <functional>

#include "control/Barcode.h"
#include "control/ControlHost.h"
#include "control/PropertyStore.h"
#include "platform/gdi/SoftwareSurface.h"

namespace varnholt::gdi {

// A control host without a window: the control paints at once into a raster of its own,
// filled white first. For programs that want the control's pixels (an image, a test, a
// server) rather than a widget.
class RasterHost final : public ControlHost {
  public:
    // Creates the control in a raster of the control's width and `height` pixels. With
    // `stored` it is restored from that store; without, it is placed new.
    explicit RasterHost(int height = 81, const PropertyStore* stored = nullptr);
    RasterHost(const RasterHost&) = delete;
    RasterHost& operator=(const RasterHost&) = delete;

    // The hosted control: read and set its members here.
    Barcode& Control() noexcept { return control_; }
    // The control's pixels as last painted.
    const SoftwareSurface& Raster() const noexcept { return raster_; }
    // Runs for each event the control raises, with its number (Barcode::Change, ...).
    void OnEvent(std::function<void(int eventNumber)> handler) { onEvent_ = std::move(handler); }
    // Whether the control accepts clicks: Enabled as of its last paint.
    bool ClicksEnabled() const noexcept { return clicksEnabled_; }
    // Paints the control, as a window system does when it shows it.
    void Paint() noexcept;

    void Repaint() override { Paint(); }
    void PropertyChanged(std::string_view) override {}
    void RaiseEvent(int eventNumber) override;
    void SetEnabledState(bool enabled) override { clicksEnabled_ = enabled; }
    DrawingSurface& Surface() override { return raster_; }
    float DrawingAreaHeight() override { return static_cast<float>(raster_.Height()); }
    // The raster keeps the control's width; there is nothing else to resize.
    void SetWidth(float) override {}
    float TwipsPerPixel() override { return 15.0f; }

  private:
    SoftwareSurface raster_;
    Barcode control_;
    std::function<void(int)> onEvent_;
    bool clicksEnabled_ = true;
};

}  // namespace varnholt::gdi
