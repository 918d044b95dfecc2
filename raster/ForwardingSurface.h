#pragma once

#include "control/DrawingSurface.h"

namespace varnholt::raster {

// A surface that passes every call on to another one. Derive from it to watch or change some
// calls and keep the rest as they are.
class ForwardingSurface : public DrawingSurface {
  public:
    explicit ForwardingSurface(DrawingSurface& target) noexcept : target_(target) {}

    PenHandle CreatePen(int style, int width, ColorRef color) override {
        return target_.CreatePen(style, width, color);
    }
    PenHandle SelectObject(PenHandle pen) override { return target_.SelectObject(pen); }
    bool DeleteObject(PenHandle pen) override { return target_.DeleteObject(pen); }
    bool Rectangle(int left, int top, int right, int bottom) override {
        return target_.Rectangle(left, top, right, bottom);
    }
    ColorRef SetTextColor(ColorRef color) override { return target_.SetTextColor(color); }
    bool TextOutA(int x, int y, std::string_view text, int count) override {
        return target_.TextOutA(x, y, text, count);
    }
    std::int32_t OleTranslateColor(OleColor color, std::uintptr_t palette,
                                   ColorRef* result) override {
        return target_.OleTranslateColor(color, palette, result);
    }

  protected:
    DrawingSurface& Target() noexcept { return target_; }

  private:
    DrawingSurface& target_;
};

}  // namespace varnholt::raster
