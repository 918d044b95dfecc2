#include "tests/support/Decoders.h"

namespace varnholt::test {

GreyImage GreyImage::WithMargin(int margin) const {
    GreyImage framed{width + 2 * margin, height + 2 * margin, {}};
    framed.pixels.assign(
        static_cast<std::size_t>(framed.width) * static_cast<std::size_t>(framed.height), 255);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            framed.pixels[static_cast<std::size_t>(y + margin) *
                              static_cast<std::size_t>(framed.width) +
                          static_cast<std::size_t>(x + margin)] = At(x, y);
        }
    }
    return framed;
}

}  // namespace varnholt::test
