#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "render/Layout.h"

namespace varnholt::render {

// A character's pixels in an image at a resolution: ink (1) or paper (0), a byte a pixel, row
// by row, for the box of `width` x `height` pixels whose top-left pixel is (`left`, `top`).
struct CharacterPixels {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> ink;
};

// The pixels `placed` has in an image of `dpi`, exactly those Cairo gives its outline when it
// fills the whole image without anti-aliasing. A batch draws the same characters in the same
// places again and again, so each is drawn once and kept.
std::shared_ptr<const CharacterPixels> PixelsOf(const PlacedCharacter& placed, double dpi);

}  // namespace varnholt::render
