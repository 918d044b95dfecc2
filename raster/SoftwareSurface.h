#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <vector>

#include "control/DrawingSurface.h"
#include "raster/DigitFont.h"

namespace varnholt::raster {

// A drawing surface in memory: a raster of width x height 32-bit pixels that the classic
// drawing calls paint on, pixel for pixel. Coordinates outside the raster are clipped.
//
// Choices of this surface where the classic calls leave room:
// - a colour's top byte is ignored, so the colour -1 that a failed translation yields
//   draws white, which is nothing on the control's white background;
// - a rectangle with right <= left or bottom <= top draws nothing;
// - pens are solid and 1 pixel wide (width 0 or 1); any other pen cannot be made;
// - at most kMaxPens pens exist at once, besides the stock black pen that is current at the
//   start; CreatePen gives 0 when they are all in use.
class SoftwareSurface final : public DrawingSurface {
  public:
    static constexpr std::size_t kMaxPens = 16;
    // The pen that is current before any other is selected; it cannot be deleted.
    static constexpr PenHandle kStockBlackPen = 0xFF;
    // What GetPixel returns outside the raster.
    static constexpr ColorRef kInvalidColor = 0xFFFFFFFF;

    // A white raster; negative sizes count as 0.
    SoftwareSurface(int width, int height);

    int Width() const noexcept { return width_; }
    int Height() const noexcept { return height_; }
    // Changes the raster's size; the new raster is white. Pens and text colour stay.
    void Resize(int width, int height);
    // Paints every pixel in `color`.
    void Fill(ColorRef color) noexcept;
    // The colour of one pixel, 0x00BBGGRR; kInvalidColor outside the raster.
    ColorRef GetPixel(int x, int y) const noexcept;
    // The raster, row after row, each pixel 0xFFRRGGBB (the layout of 32-bit RGB images).
    std::span<const std::uint32_t> Pixels() const noexcept { return pixels_; }
    // How many pens exist now, the stock pen not counted.
    std::size_t PenCount() const noexcept;

    PenHandle CreatePen(int style, int width, ColorRef color) override;
    PenHandle SelectObject(PenHandle pen) override;
    bool DeleteObject(PenHandle pen) override;
    bool Rectangle(int left, int top, int right, int bottom) override;
    ColorRef SetTextColor(ColorRef color) override;
    bool TextOutA(int x, int y, std::string_view text, int count) override;
    std::int32_t OleTranslateColor(OleColor color, std::uintptr_t palette,
                                   ColorRef* result) override;

  private:
    struct PenSlot {
        std::uint32_t pixel = 0;
        std::uint32_t generation = 0;
        bool inUse = false;
    };

    // The slot of a live pen made here, or nothing.
    PenSlot* Find(PenHandle pen) noexcept;
    std::size_t Stride() const noexcept { return static_cast<std::size_t>(width_); }
    std::uint32_t CurrentPenPixel() noexcept;
    // Paints column x from row top up to (not including) row bottom, clipped.
    void Column(int x, int top, int bottom, std::uint32_t pixel) noexcept;
    // Paints row y from column left up to (not including) column right, clipped.
    void Row(int y, int left, int right, std::uint32_t pixel) noexcept;

    int width_;
    int height_;
    std::vector<std::uint32_t> pixels_;
    std::array<PenSlot, kMaxPens> pens_{};
    PenHandle currentPen_ = kStockBlackPen;
    ColorRef textColor_ = 0;
};

}  // namespace varnholt::raster
