#pragma once

#include "fuzz/ReferenceSurface.h"
#include "tests/support/RecordingHost.h"

namespace varnholt::fuzz {

// The tests' recording host at the control's own size, 115 x 81 pixels, painting through a
// ReferenceSurface. The drawing-area height it reports can be anything, while the raster
// keeps its size.
class FuzzHost final : public test::RecordingHost {
  public:
    static constexpr int kRasterHeight = 81;

    explicit FuzzHost(float reportedHeight = static_cast<float>(kRasterHeight))
        : RecordingHost(static_cast<float>(kRasterHeight)) {
        ReportHeight(reportedHeight);
        DrawThrough(&reference_);
    }

    ReferenceSurface& Reference() noexcept { return reference_; }
    // How many times the control was painted.
    int Paints() const noexcept { return paints_; }

    // Every paint starts the reference from white, as the raster is.
    void Paint() noexcept override {
        reference_.Clear();
        ++paints_;
        RecordingHost::Paint();
    }

  private:
    ReferenceSurface reference_{Raster()};
    int paints_ = 0;
};

}  // namespace varnholt::fuzz
