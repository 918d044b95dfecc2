#include "raster/SoftwareSurface.h"

#include <algorithm>
#include <bit>
#include <utility>

#include "raster/DigitFont.h"
#include "raster/SystemColors.h"

namespace varnholt::raster {
namespace {

// Handles carry the pen's slot in the low byte (1 to kMaxPens) and a generation above it, so
// that a handle of a deleted pen is never mistaken for a pen made later in the same slot.
constexpr std::uint32_t kSlotBits = 8;
constexpr std::uint32_t kSlotMask = (1u << kSlotBits) - 1;
constexpr std::int32_t kInvalidArgument = static_cast<std::int32_t>(0x80070057u);

constexpr std::uint32_t PixelOf(ColorRef color) noexcept {
    const std::uint32_t r = color & 0xFF;
    const std::uint32_t g = color >> 8 & 0xFF;
    const std::uint32_t b = color >> 16 & 0xFF;
    return 0xFF000000u | r << 16 | g << 8 | b;
}

constexpr ColorRef ColorOf(std::uint32_t pixel) noexcept {
    const std::uint32_t r = pixel >> 16 & 0xFF;
    const std::uint32_t g = pixel >> 8 & 0xFF;
    const std::uint32_t b = pixel & 0xFF;
    return r | g << 8 | b << 16;
}

static_assert(ColorOf(PixelOf(0x00123456)) == 0x00123456);

}  // namespace

SoftwareSurface::SoftwareSurface(int width, int height)
    : width_(std::max(width, 0)),
      height_(std::max(height, 0)),
      pixels_(static_cast<std::size_t>(width_) * static_cast<std::size_t>(height_),
              PixelOf(kWhite)) {}

void SoftwareSurface::Resize(int width, int height) {
    width_ = std::max(width, 0);
    height_ = std::max(height, 0);
    pixels_.assign(static_cast<std::size_t>(width_) * static_cast<std::size_t>(height_),
                   PixelOf(kWhite));
}

void SoftwareSurface::Fill(ColorRef color) noexcept {
    std::ranges::fill(pixels_, PixelOf(color));
}

ColorRef SoftwareSurface::GetPixel(int x, int y) const noexcept {
    if (x < 0 || y < 0 || x >= width_ || y >= height_) {
        return kInvalidColor;
    }
    return ColorOf(pixels_[static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) +
                           static_cast<std::size_t>(x)]);
}

std::size_t SoftwareSurface::PenCount() const noexcept {
    return static_cast<std::size_t>(std::ranges::count_if(pens_, &PenSlot::inUse));
}

SoftwareSurface::PenSlot* SoftwareSurface::Find(PenHandle pen) noexcept {
    const std::uint32_t slot = pen & kSlotMask;
    if (slot == 0 || slot > kMaxPens) {
        return nullptr;
    }
    PenSlot& candidate = pens_[slot - 1];
    return candidate.inUse && candidate.generation == pen >> kSlotBits ? &candidate : nullptr;
}

PenHandle SoftwareSurface::CreatePen(int style, int width, ColorRef color) {
    if (style != kSolidPen || width < 0 || width > 1) {
        return 0;
    }
    const auto free = std::ranges::find_if(pens_, [](const PenSlot& s) { return !s.inUse; });
    if (free == pens_.end()) {
        return 0;
    }
    // Generations wrap within the bits above the slot; 0 is skipped so no handle equals 0.
    free->generation = (free->generation + 1) & (~0u >> kSlotBits);
    free->generation += free->generation == 0 ? 1 : 0;
    free->pixel = PixelOf(color);
    free->inUse = true;
    const auto slot = static_cast<std::uint32_t>(free - pens_.begin()) + 1;
    return free->generation << kSlotBits | slot;
}

PenHandle SoftwareSurface::SelectObject(PenHandle pen) {
    if (pen != kStockBlackPen && Find(pen) == nullptr) {
        return 0;
    }
    return std::exchange(currentPen_, pen);
}

bool SoftwareSurface::DeleteObject(PenHandle pen) {
    PenSlot* slot = Find(pen);
    if (slot == nullptr || pen == currentPen_) {
        return false;
    }
    slot->inUse = false;
    return true;
}

std::uint32_t SoftwareSurface::CurrentPenPixel() noexcept {
    const PenSlot* slot = Find(currentPen_);
    return slot != nullptr ? slot->pixel : PixelOf(0);
}

void SoftwareSurface::Column(int x, int top, int bottom, std::uint32_t pixel) noexcept {
    if (x < 0 || x >= width_) {
        return;
    }
    const int from = std::max(top, 0);
    const int to = std::min(bottom, height_);
    if (from >= to) {
        return;
    }
    const auto stride = static_cast<std::size_t>(width_);
    std::uint32_t* p =
        pixels_.data() + static_cast<std::size_t>(from) * stride + static_cast<std::size_t>(x);
    // Bars are long columns, each pixel in a row of its own: four stores a step.
    int y = from;
    for (; to - y >= 4; y += 4, p += 4 * stride) {
        p[0] = pixel;
        p[stride] = pixel;
        p[2 * stride] = pixel;
        p[3 * stride] = pixel;
    }
    for (; y < to; ++y, p += stride) {
        *p = pixel;
    }
}

void SoftwareSurface::Row(int y, int left, int right, std::uint32_t pixel) noexcept {
    if (y < 0 || y >= height_) {
        return;
    }
    const int from = std::max(left, 0);
    const int to = std::min(right, width_);
    if (from < to) {
        std::fill(pixels_.begin() + static_cast<std::ptrdiff_t>(y) * width_ + from,
                  pixels_.begin() + static_cast<std::ptrdiff_t>(y) * width_ + to, pixel);
    }
}

bool SoftwareSurface::Rectangle(int left, int top, int right, int bottom) {
    if (right <= left || bottom <= top) {
        return false;
    }
    const std::uint32_t pixel = CurrentPenPixel();
    Column(left, top, bottom, pixel);
    // right > left here, so right - 1 cannot overflow where right - left could.
    if (right - 1 > left) {
        Column(right - 1, top, bottom, pixel);
        Row(top, left, right, pixel);
        Row(bottom - 1, left, right, pixel);
    }
    return true;
}

ColorRef SoftwareSurface::SetTextColor(ColorRef color) {
    return std::exchange(textColor_, color);
}

bool SoftwareSurface::TextOutA(int x, int y, std::string_view text, int count) {
    if (count < 0) {
        return false;
    }
    const std::uint32_t pixel = PixelOf(textColor_);
    const std::size_t characters = std::min(text.size(), static_cast<std::size_t>(count));
    for (std::size_t i = 0; i < characters; ++i) {
        const Glyph* glyph = GlyphOf(text[i]);
        if (glyph == nullptr) {
            continue;
        }
        // In 64-bit arithmetic, so that no coordinate near the int limits wraps.
        const long long cellLeft = x + static_cast<long long>(i) * kCellWidth;
        for (int row = 0; row < kGlyphHeight; ++row) {
            const long long py = static_cast<long long>(y) + row;
            if (py < 0 || py >= height_) {
                continue;
            }
            // Visit only the lit pixels: bit 4 is column 0.
            for (unsigned bits = (*glyph)[static_cast<std::size_t>(row)]; bits != 0;
                 bits &= bits - 1) {
                const long long px = cellLeft + kGlyphWidth - 1 - std::countr_zero(bits);
                if (px >= 0 && px < width_) {
                    pixels_[static_cast<std::size_t>(py * width_ + px)] = pixel;
                }
            }
        }
    }
    return true;
}

std::int32_t SoftwareSurface::OleTranslateColor(OleColor color, std::uintptr_t /*palette*/,
                                                ColorRef* result) {
    if (result == nullptr) {
        return kInvalidArgument;
    }
    if (const auto translated = TranslateColor(color)) {
        *result = *translated;
        return 0;
    }
    return kInvalidArgument;
}

}  // namespace varnholt::raster
