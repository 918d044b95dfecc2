#pragma once

#include <cstdint>
#include <string_view>

#include "control/Color.h"

namespace varnholt {

// Handle of a pen made by a surface; 0 stands for no pen.
using PenHandle = std::uint32_t;

// The 2-D drawing operations the control paints with: pens, 1-pixel-wide rectangles and
// single-byte text. The names and arguments are those of the classic platform calls, with
// the surface itself in place of the device context.
class DrawingSurface {
  public:
    static constexpr int kSolidPen = 0;

    virtual ~DrawingSurface() = default;

    // A new pen of the given style, width and colour; 0 when none can be made.
    virtual PenHandle CreatePen(int style, int width, ColorRef color) = 0;
    // Makes `pen` the current pen and returns the pen that was current before; 0, with
    // nothing changed, when `pen` is no pen of this surface.
    virtual PenHandle SelectObject(PenHandle pen) = 0;
    // Releases `pen`; false, with nothing changed, for an unknown pen or the current one.
    virtual bool DeleteObject(PenHandle pen) = 0;
    // Outlines the rectangle with the current pen; right and bottom edges are exclusive, so
    // right = left + 1 darkens column `left` from row `top` through row `bottom` - 1. The
    // inside is left alone. False when nothing could be drawn.
    virtual bool Rectangle(int left, int top, int right, int bottom) = 0;
    // Sets the colour of text drawn afterwards; returns the previous one.
    virtual ColorRef SetTextColor(ColorRef color) = 0;
    // Draws the first `count` characters of a single-byte text in the current font and
    // text colour, the top-left corner of the first character cell at (x, y).
    virtual bool TextOutA(int x, int y, std::string_view text, int count) = 0;
    // Translates a colour value into a concrete colour stored at `result`; returns 0 on
    // success, anything else on failure (result untouched).
    virtual std::int32_t OleTranslateColor(OleColor color, std::uintptr_t palette,
                                           ColorRef* result) = 0;
};

}  // namespace varnholt
