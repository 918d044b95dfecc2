#define ZX_USE_UTF8 1

#include <ZXing/ReadBarcode.h>

#include "tests/support/Decoders.h"

namespace varnholt::test {
namespace {

// The reader's best symbol: comparing several results trips an assertion of this version.
ZXing::Result Read(const GreyImage& image, const ZXing::DecodeHints& hints) {
    const ZXing::ImageView view(image.pixels.data(), image.width, image.height,
                                ZXing::ImageFormat::Lum);
    return ZXing::ReadBarcode(view, hints);
}

}  // namespace

std::vector<std::string> DecodeWithZXing(const GreyImage& image) {
    const ZXing::Result result = Read(
        image,
        ZXing::DecodeHints().setFormats(ZXing::BarcodeFormat::EAN13 | ZXing::BarcodeFormat::EAN8));
    if (!result.isValid()) {
        return {};
    }
    return {result.text()};
}

std::vector<std::string> DecodeFamilyWithZXing(const GreyImage& image) {
    const ZXing::Result result =
        Read(image, ZXing::DecodeHints()
                        .setFormats(ZXing::BarcodeFormat::EAN13 | ZXing::BarcodeFormat::EAN8 |
                                    ZXing::BarcodeFormat::UPCA | ZXing::BarcodeFormat::UPCE)
                        .setEanAddOnSymbol(ZXing::EanAddOnSymbol::Read));
    if (!result.isValid()) {
        return {};
    }
    // This version gives an add-on's digits after the main symbol's and a space.
    std::string text = result.text();
    if (const std::size_t space = text.find(' '); space != std::string::npos) {
        text[space] = '+';
    }
    return {std::string(ZXing::ToString(result.format())) + " " + text};
}

std::vector<std::string> DecodeSymbolWithZXing(const GreyImage& image) {
    const ZXing::Result result =
        Read(image, ZXing::DecodeHints()
                        .setFormats(ZXing::BarcodeFormat::Code128 |
                                    ZXing::BarcodeFormat::DataMatrix | ZXing::BarcodeFormat::QRCode)
                        .setTryHarder(false));
    if (!result.isValid()) {
        return {};
    }
    return {result.symbologyIdentifier() + result.text()};
}

}  // namespace varnholt::test
