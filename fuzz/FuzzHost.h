#pragma once

#include <string>
#include <vector>

#include "control/Barcode.h"
#include "control/ControlHost.h"
#include "fuzz/ReferenceSurface.h"
#include "platform/gdi/SoftwareSurface.h"

namespace varnholt::fuzz {

// A host of the control's own size, 115 x 81 pixels, that paints through a ReferenceSurface
// and notes every notification the control sends. The drawing-area height it reports can be
// anything, while the raster keeps its size.
class FuzzHost final : public ControlHost {
  public:
    static constexpr int kRasterHeight = 81;

    explicit FuzzHost(float reportedHeight = static_cast<float>(kRasterHeight))
        : reportedHeight_(reportedHeight) {}

    Barcode& Control() noexcept { return control_; }
    gdi::SoftwareSurface& Raster() noexcept { return raster_; }
    ReferenceSurface& Reference() noexcept { return reference_; }

    // The host's side of a paint: fill white, then the control's paint handler.
    void Paint();

    int repaints = 0;
    int paints = 0;
    std::vector<std::string> propertiesChanged;
    std::vector<int> events;

    void Repaint() override;
    void PropertyChanged(std::string_view propertyName) override;
    void RaiseEvent(int eventNumber) override;
    void SetEnabledState(bool) override {}
    DrawingSurface& Surface() override { return reference_; }
    float DrawingAreaHeight() override { return reportedHeight_; }
    void SetWidth(float) override {}
    float TwipsPerPixel() override { return 15.0f; }

  private:
    gdi::SoftwareSurface raster_{Barcode::Width, kRasterHeight};
    ReferenceSurface reference_{raster_};
    Barcode control_{*this};
    float reportedHeight_;
};

}  // namespace varnholt::fuzz
