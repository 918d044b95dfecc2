#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace varnholt::test {

// A picture as the decoders take it: 8-bit grey, rows top to bottom.
struct GreyImage {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> pixels;

    std::uint8_t At(int x, int y) const {
        return pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(width) +
                      static_cast<std::size_t>(x)];
    }
    // The same picture with `margin` white pixels added on every side.
    GreyImage WithMargin(int margin) const;
};

// The EAN-13 and EAN-8 numbers two independent decoders read in a picture: ZBar and
// ZXing-cpp's reader.
std::vector<std::string> DecodeWithZBar(const GreyImage& image);
std::vector<std::string> DecodeWithZXing(const GreyImage& image);

}  // namespace varnholt::test
