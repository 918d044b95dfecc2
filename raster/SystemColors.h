#pragma once

#include <array>
#include <cstdint>
#include <optional>

#include "control/Color.h"

namespace varnholt::raster {

// The system colours a colour reference 0x800000nn names, from the classic desktop scheme.
// They are fixed on purpose: the control always draws on white, so following a dark desktop
// theme would turn window text white and make the bars vanish.
namespace system_colors {

constexpr ColorRef Rgb(std::uint32_t r, std::uint32_t g, std::uint32_t b) {
    return r | g << 8 | b << 16;
}

// Index 25 is unassigned.
inline constexpr std::uint32_t kUnassigned = 25;

inline constexpr std::array<ColorRef, 31> kTable{
    Rgb(212, 208, 200),  // 0 scroll bar
    Rgb(58, 110, 165),   // 1 desktop
    Rgb(10, 36, 106),    // 2 active caption
    Rgb(128, 128, 128),  // 3 inactive caption
    Rgb(212, 208, 200),  // 4 menu
    Rgb(255, 255, 255),  // 5 window
    Rgb(0, 0, 0),        // 6 window frame
    Rgb(0, 0, 0),        // 7 menu text
    Rgb(0, 0, 0),        // 8 window text
    Rgb(255, 255, 255),  // 9 caption text
    Rgb(212, 208, 200),  // 10 active border
    Rgb(212, 208, 200),  // 11 inactive border
    Rgb(128, 128, 128),  // 12 application workspace
    Rgb(10, 36, 106),    // 13 highlight
    Rgb(255, 255, 255),  // 14 highlight text
    Rgb(212, 208, 200),  // 15 button face
    Rgb(128, 128, 128),  // 16 button shadow
    Rgb(128, 128, 128),  // 17 grey text
    Rgb(0, 0, 0),        // 18 button text
    Rgb(212, 208, 200),  // 19 inactive caption text
    Rgb(255, 255, 255),  // 20 button highlight
    Rgb(64, 64, 64),     // 21 3-D dark shadow
    Rgb(212, 208, 200),  // 22 3-D light
    Rgb(0, 0, 0),        // 23 tooltip text
    Rgb(255, 255, 225),  // 24 tooltip background
    0,                   // 25 unassigned
    Rgb(0, 0, 128),      // 26 hot-tracked item
    Rgb(166, 202, 240),  // 27 active caption gradient
    Rgb(192, 192, 192),  // 28 inactive caption gradient
    Rgb(10, 36, 106),    // 29 menu highlight
    Rgb(212, 208, 200),  // 30 menu bar
};

}  // namespace system_colors

// The system colour with this index, or nothing for an index that names none.
constexpr std::optional<ColorRef> SystemColor(std::uint32_t index) noexcept {
    if (index >= system_colors::kTable.size() || index == system_colors::kUnassigned) {
        return std::nullopt;
    }
    return system_colors::kTable[index];
}

// The concrete colour a property's colour stands for, as the surface draws it: a concrete
// colour (top byte 0) itself, 0x800000nn the system colour nn; nothing for any other value.
constexpr std::optional<ColorRef> TranslateColor(OleColor color) noexcept {
    constexpr std::uint32_t kSystemColorFlag = 0x80000000u;
    if ((color & 0xFF000000u) == 0) {
        return color;
    }
    if ((color & 0xFFFFFF00u) == kSystemColorFlag) {
        return SystemColor(color & 0xFF);
    }
    return std::nullopt;
}

static_assert(SystemColor(8) == 0x000000 && SystemColor(5) == 0xFFFFFF,
              "window text is black on a white window");

}  // namespace varnholt::raster
