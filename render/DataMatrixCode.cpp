#include "render/DataMatrixCode.h"

#include <dmtx.h>

#include <memory>
#include <string>

namespace varnholt {
namespace {

constexpr unsigned char kGroupSeparator = 0x1D;

struct EncoderDeleter {
    void operator()(DmtxEncode* encoder) const noexcept { dmtxEncodeDestroy(&encoder); }
};
using Encoder = std::unique_ptr<DmtxEncode, EncoderDeleter>;

Result<ModuleGrid> Refuse(std::string message) {
    return Result<ModuleGrid>::Failure(ErrorKind::Input, "DataMatrix: " + std::move(message));
}

// libdmtx's symbol at one pixel a module without margin, or none when the data does not fit
// `sizeRequest`. ASCII encodation alone: it packs digit pairs into one codeword, and the
// library's search over every encodation costs some fifty times as long for GS1 data.
Encoder Encode(std::string& bytes, int sizeRequest, bool gs1) {
    Encoder encoder(dmtxEncodeCreate());
    dmtxEncodeSetProp(encoder.get(), DmtxPropScheme, DmtxSchemeAscii);
    dmtxEncodeSetProp(encoder.get(), DmtxPropSizeRequest, sizeRequest);
    dmtxEncodeSetProp(encoder.get(), DmtxPropModuleSize, 1);
    dmtxEncodeSetProp(encoder.get(), DmtxPropMarginSize, 0);
    if (gs1) {
        dmtxEncodeSetProp(encoder.get(), DmtxPropFnc1, kGroupSeparator);
    }
    if (dmtxEncodeDataMatrix(encoder.get(), static_cast<int>(bytes.size()),
                             reinterpret_cast<unsigned char*>(bytes.data())) != DmtxPass) {
        return nullptr;
    }
    return encoder;
}

Result<ModuleGrid> GridOf(std::string bytes, DataMatrixShape shape, bool gs1) {
    Encoder encoder;
    if (shape == DataMatrixShape::Rectangle) {
        encoder = Encode(bytes, DmtxSymbolRectAuto, gs1);
    }
    if (!encoder) {
        encoder = Encode(bytes, DmtxSymbolSquareAuto, gs1);
    }
    if (!encoder) {
        return Refuse(std::to_string(bytes.size()) +
                      " bytes do not fit the largest symbol, 144 x 144 modules");
    }
    DmtxImage* image = encoder->image;
    ModuleGrid grid;
    grid.width = static_cast<std::size_t>(dmtxImageGetProp(image, DmtxPropWidth));
    grid.height = static_cast<std::size_t>(dmtxImageGetProp(image, DmtxPropHeight));
    grid.modules.resize(grid.width * grid.height);
    // The library's picture has its rows bottom to top; a dark module's pixel is black.
    for (std::size_t y = 0; y < grid.height; ++y) {
        for (std::size_t x = 0; x < grid.width; ++x) {
            int value = 0;
            dmtxImageGetPixelValue(image, static_cast<int>(x), static_cast<int>(y), 0, &value);
            grid.modules[(grid.height - 1 - y) * grid.width + x] = value < 128 ? 1 : 0;
        }
    }
    return grid;
}

}  // namespace

Result<ModuleGrid> EncodeGs1DataMatrix(std::string_view elementString, DataMatrixShape shape) {
    if (elementString.empty()) {
        return Refuse("no data to encode");
    }
    for (std::size_t i = 0; i < elementString.size(); ++i) {
        if (static_cast<unsigned char>(elementString[i]) > 127) {
            return Refuse("byte " + std::to_string(static_cast<unsigned char>(elementString[i])) +
                          " at position " + std::to_string(i + 1) + " is not ASCII");
        }
    }
    // The leading GS becomes the FNC1 that marks the symbol as GS1's.
    std::string bytes(1, static_cast<char>(kGroupSeparator));
    bytes.append(elementString);
    return GridOf(std::move(bytes), shape, true);
}

Result<ModuleGrid> EncodeDataMatrixText(std::string_view text, DataMatrixShape shape) {
    if (text.empty()) {
        return Refuse("no text to encode");
    }
    return GridOf(std::string(text), shape, false);
}

}  // namespace varnholt
