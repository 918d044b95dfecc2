#include <zbar.h>

#include "tests/support/Decoders.h"

namespace varnholt::test {

std::vector<std::string> DecodeWithZBar(const GreyImage& image) {
    // ZBar declares its C interface inside this namespace when compiled as C++.
    using namespace zbar;  // NOLINT(google-build-using-namespace)
    zbar_image_scanner_t* scanner = zbar_image_scanner_create();
    zbar_image_scanner_set_config(scanner, ZBAR_NONE, ZBAR_CFG_ENABLE, 0);
    zbar_image_scanner_set_config(scanner, ZBAR_EAN13, ZBAR_CFG_ENABLE, 1);
    zbar_image_scanner_set_config(scanner, ZBAR_EAN8, ZBAR_CFG_ENABLE, 1);
    zbar_image_t* zimage = zbar_image_create();
    zbar_image_set_format(zimage, zbar_fourcc('Y', '8', '0', '0'));
    zbar_image_set_size(zimage, static_cast<unsigned>(image.width),
                        static_cast<unsigned>(image.height));
    zbar_image_set_data(zimage, image.pixels.data(), image.pixels.size(), nullptr);
    zbar_scan_image(scanner, zimage);
    std::vector<std::string> found;
    for (const zbar_symbol_t* symbol = zbar_image_first_symbol(zimage); symbol != nullptr;
         symbol = zbar_symbol_next(symbol)) {
        found.emplace_back(zbar_symbol_get_data(symbol));
    }
    zbar_image_destroy(zimage);
    zbar_image_scanner_destroy(scanner);
    return found;
}

}  // namespace varnholt::test
