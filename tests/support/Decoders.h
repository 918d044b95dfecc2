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

// What the same decoders read with every symbology of the EAN/UPC family on: each symbol as
// the decoder names its symbology, a space and its digits, and its add-on's after a "+", e.g.
// "UPC-A 036000291452+12". An EAN-13 whose first digit is 0 has the bars of a UPC-A, and
// reads as that UPC-A here.
std::vector<std::string> DecodeFamilyWithZBar(const GreyImage& image);
std::vector<std::string> DecodeFamilyWithZXing(const GreyImage& image);

// What ZXing-cpp reads in a picture with Code 128, DataMatrix and QR code on: its symbology
// identifier and its data as the decoder passes it on, e.g. "]C1" "0109506000134352" "\x1D"...
// for a GS1-128 symbol, GS standing for each FNC1 after the first.
std::vector<std::string> DecodeSymbolWithZXing(const GreyImage& image);
// What ZBar reads with Code 128 and QR code on: each symbol's data.
std::vector<std::string> DecodeSymbolWithZBar(const GreyImage& image);
// What libdmtx's decoder reads in a DataMatrix, each FNC1 (the first too) given as a GS.
std::vector<std::string> DecodeDataMatrixWithDmtx(const GreyImage& image);

}  // namespace varnholt::test
