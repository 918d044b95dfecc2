#pragma once

#include <string>
#include <vector>

#include "raster/ForwardingSurface.h"

namespace varnholt::test {

// Passes every drawing call on to a real surface and logs it, e.g. "CreatePen 0 1 255",
// "SelectObject 257 -> 255", "Rectangle 15 4 16 74". Can refuse to make pens.
class RecordingSurface final : public raster::ForwardingSurface {
  public:
    using ForwardingSurface::ForwardingSurface;

    const std::vector<std::string>& Log() const { return log_; }
    void ClearLog() { log_.clear(); }
    // From now on CreatePen gives 0, as a surface that cannot make pens does.
    void RefusePens() { refusePens_ = true; }

    PenHandle CreatePen(int style, int width, ColorRef color) override;
    PenHandle SelectObject(PenHandle pen) override;
    bool DeleteObject(PenHandle pen) override;
    bool Rectangle(int left, int top, int right, int bottom) override;
    ColorRef SetTextColor(ColorRef color) override;
    bool TextOutA(int x, int y, std::string_view text, int count) override;
    std::int32_t OleTranslateColor(OleColor color, std::uintptr_t palette,
                                   ColorRef* result) override;

  private:
    std::vector<std::string> log_;
    bool refusePens_ = false;
};

}  // namespace varnholt::test
