#include "tests/support/SymbolImages.h"

namespace varnholt::test {

GreyImage ImageOfModules(std::string_view modules, int pixels, int height, int quiet) {
    GreyImage image{static_cast<int>(modules.size()) * pixels, height, {}};
    image.pixels.assign(static_cast<std::size_t>(image.width) * static_cast<std::size_t>(height),
                        255);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < image.width; ++x) {
            if (modules[static_cast<std::size_t>(x / pixels)] == '1') {
                image.pixels[static_cast<std::size_t>(y * image.width + x)] = 0;
            }
        }
    }
    return image.WithMargin(quiet * pixels);
}

GreyImage ImageOfGrid(const ModuleGrid& grid, int pixels, int quiet) {
    const int width = static_cast<int>(grid.width) * pixels;
    const int height = static_cast<int>(grid.height) * pixels;
    GreyImage image{width, height, {}};
    image.pixels.assign(static_cast<std::size_t>(width) * static_cast<std::size_t>(height), 255);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            if (grid.Dark(static_cast<std::size_t>(x / pixels),
                          static_cast<std::size_t>(y / pixels))) {
                image.pixels[static_cast<std::size_t>(y * width + x)] = 0;
            }
        }
    }
    return image.WithMargin(quiet * pixels);
}

}  // namespace varnholt::test
