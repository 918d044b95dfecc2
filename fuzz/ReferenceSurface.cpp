#include "fuzz/ReferenceSurface.h"

#include <algorithm>

#include "raster/DigitFont.h"

namespace varnholt::fuzz {
namespace {

// The surface ignores a colour's top byte.
constexpr ColorRef Visible(ColorRef color) noexcept {
    return color & 0x00FFFFFF;
}

}  // namespace

ReferenceSurface::ReferenceSurface(raster::SoftwareSurface& target)
    : ForwardingSurface(target),
      raster_(target),
      width_(target.Width()),
      height_(target.Height()),
      expected_(static_cast<std::size_t>(width_) * static_cast<std::size_t>(height_), kWhite) {}

void ReferenceSurface::Clear() {
    std::ranges::fill(expected_, kWhite);
}

bool ReferenceSurface::Matches() const {
    if (raster_.Width() != width_ || raster_.Height() != height_ ||
        raster_.Pixels().size() != expected_.size()) {
        return false;
    }
    for (int y = 0; y < height_; ++y) {
        for (int x = 0; x < width_; ++x) {
            const auto index = static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) +
                               static_cast<std::size_t>(x);
            if (raster_.GetPixel(x, y) != expected_[index]) {
                return false;
            }
        }
    }
    return true;
}

void ReferenceSurface::Set(long long x, long long y, ColorRef color) {
    if (x >= 0 && y >= 0 && x < width_ && y < height_) {
        expected_[static_cast<std::size_t>(y * width_ + x)] = Visible(color);
    }
}

PenHandle ReferenceSurface::CreatePen(int style, int width, ColorRef color) {
    const PenHandle pen = ForwardingSurface::CreatePen(style, width, color);
    if (pen != 0) {
        pens_[pen] = color;
    }
    return pen;
}

PenHandle ReferenceSurface::SelectObject(PenHandle pen) {
    const PenHandle previous = ForwardingSurface::SelectObject(pen);
    if (previous != 0) {
        current_ = pen;
    }
    return previous;
}

bool ReferenceSurface::DeleteObject(PenHandle pen) {
    const bool deleted = ForwardingSurface::DeleteObject(pen);
    if (deleted) {
        pens_.erase(pen);
    }
    return deleted;
}

bool ReferenceSurface::Rectangle(int left, int top, int right, int bottom) {
    const bool drawn = ForwardingSurface::Rectangle(left, top, right, bottom);
    if (right <= left || bottom <= top) {
        return drawn;
    }
    const auto pen = pens_.find(current_);
    const ColorRef color = pen != pens_.end() ? pen->second : 0;
    // Only the pixels of the raster, so huge rectangles cost no more than the raster.
    const long long x0 = std::max<long long>(left, 0);
    const long long x1 = std::min<long long>(right, width_);
    const long long y0 = std::max<long long>(top, 0);
    const long long y1 = std::min<long long>(bottom, height_);
    for (long long y = y0; y < y1; ++y) {
        for (long long x = x0; x < x1; ++x) {
            if (x == left || x == right - 1LL || y == top || y == bottom - 1LL) {
                Set(x, y, color);
            }
        }
    }
    return drawn;
}

ColorRef ReferenceSurface::SetTextColor(ColorRef color) {
    textColor_ = color;
    return ForwardingSurface::SetTextColor(color);
}

bool ReferenceSurface::TextOutA(int x, int y, std::string_view text, int count) {
    const bool drawn = ForwardingSurface::TextOutA(x, y, text, count);
    if (count < 0) {
        return drawn;
    }
    const std::size_t characters = std::min(text.size(), static_cast<std::size_t>(count));
    for (std::size_t i = 0; i < characters; ++i) {
        const raster::Glyph* glyph = raster::GlyphOf(text[i]);
        if (glyph == nullptr) {
            continue;
        }
        for (int row = 0; row < raster::kGlyphHeight; ++row) {
            for (int column = 0; column < raster::kGlyphWidth; ++column) {
                const unsigned bits = (*glyph)[static_cast<std::size_t>(row)];
                if ((bits >> (raster::kGlyphWidth - 1 - column) & 1u) != 0) {
                    Set(x + static_cast<long long>(i) * raster::kCellWidth + column,
                        static_cast<long long>(y) + row, textColor_);
                }
            }
        }
    }
    return drawn;
}

std::int32_t ReferenceSurface::OleTranslateColor(OleColor color, std::uintptr_t palette,
                                                 ColorRef* result) {
    return ForwardingSurface::OleTranslateColor(color, palette, result);
}

}  // namespace varnholt::fuzz
