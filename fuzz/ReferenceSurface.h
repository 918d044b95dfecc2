#pragma once

#include <map>
#include <vector>

#include "raster/ForwardingSurface.h"
#include "raster/SoftwareSurface.h"

namespace varnholt::fuzz {

// Passes every drawing call on to a software surface and meanwhile paints, pixel by pixel
// and in 64-bit arithmetic, the raster that the call should leave. Matches() then tells
// whether the software surface wrote exactly those pixels: a write that lands outside its
// rectangle or glyph, or that wraps into another row, shows up as a difference.
class ReferenceSurface final : public raster::ForwardingSurface {
  public:
    explicit ReferenceSurface(raster::SoftwareSurface& target);

    // Starts again from a white raster, as the host's fill before a paint.
    void Clear();
    // Whether the target's raster holds exactly the expected pixels and kept its size.
    bool Matches() const;
    // How many pens made here are still alive.
    std::size_t LivePens() const noexcept { return pens_.size(); }
    // Whether the pen current now is the stock pen that was current at the start.
    bool StockPenSelected() const noexcept {
        return current_ == raster::SoftwareSurface::kStockBlackPen;
    }

    PenHandle CreatePen(int style, int width, ColorRef color) override;
    PenHandle SelectObject(PenHandle pen) override;
    bool DeleteObject(PenHandle pen) override;
    bool Rectangle(int left, int top, int right, int bottom) override;
    ColorRef SetTextColor(ColorRef color) override;
    bool TextOutA(int x, int y, std::string_view text, int count) override;
    std::int32_t OleTranslateColor(OleColor color, std::uintptr_t palette,
                                   ColorRef* result) override;

  private:
    void Set(long long x, long long y, ColorRef color);

    raster::SoftwareSurface& raster_;
    const int width_;
    const int height_;
    std::vector<ColorRef> expected_;
    std::map<PenHandle, ColorRef> pens_;
    PenHandle current_ = raster::SoftwareSurface::kStockBlackPen;
    ColorRef textColor_ = 0;
};

}  // namespace varnholt::fuzz
