#pragma once

#include "control/Barcode.h"
#include "control/ControlHost.h"
#include "platform/gdi/SoftwareSurface.h"

namespace varnholt::bench {

// A host that does nothing but hold the raster, so that a benchmark of a paint measures the
// control and the surface alone. It never fills the raster: painting the same value again
// writes the same pixels, so the previous paint's pixels change nothing.
class PaintHost final : public ControlHost {
  public:
    static constexpr int kHeight = 81;

    void Repaint() override { control.OnPaint(); }
    void PropertyChanged(std::string_view) override {}
    void RaiseEvent(int) override {}
    void SetEnabledState(bool) override {}
    DrawingSurface& Surface() override { return drawOn != nullptr ? *drawOn : surface; }
    float DrawingAreaHeight() override { return height; }
    void SetWidth(float) override {}
    float TwipsPerPixel() override { return 15.0f; }

    gdi::SoftwareSurface surface{Barcode::Width, kHeight};
    // What Surface hands the control instead of the raster, when set.
    DrawingSurface* drawOn = nullptr;
    float height = static_cast<float>(kHeight);
    Barcode control{*this};
};

}  // namespace varnholt::bench
