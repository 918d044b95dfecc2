#define ZX_USE_UTF8 1

#include <ZXing/ReadBarcode.h>

#include "tests/support/Decoders.h"

namespace varnholt::test {

std::vector<std::string> DecodeWithZXing(const GreyImage& image) {
    const ZXing::ImageView view(image.pixels.data(), image.width, image.height,
                                ZXing::ImageFormat::Lum);
    const ZXing::DecodeHints hints =
        ZXing::DecodeHints().setFormats(ZXing::BarcodeFormat::EAN13 | ZXing::BarcodeFormat::EAN8);
    // The reader's best symbol: comparing several results trips an assertion of this version.
    const ZXing::Result result = ZXing::ReadBarcode(view, hints);
    if (!result.isValid()) {
        return {};
    }
    return {result.text()};
}

}  // namespace varnholt::test
