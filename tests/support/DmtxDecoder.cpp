#include <dmtx.h>

#include "tests/support/Decoders.h"

namespace varnholt::test {

std::vector<std::string> DecodeDataMatrixWithDmtx(const GreyImage& image) {
    // The decoder reads the pixels in place; it does not write them.
    auto* pixels = const_cast<unsigned char*>(image.pixels.data());
    DmtxImage* dimage = dmtxImageCreate(pixels, image.width, image.height, DmtxPack8bppK);
    DmtxDecode* decoder = dmtxDecodeCreate(dimage, 1);
    dmtxDecodeSetProp(decoder, DmtxPropFnc1, 0x1D);
    std::vector<std::string> found;
    DmtxTime timeout = dmtxTimeAdd(dmtxTimeNow(), 5000);
    if (DmtxRegion* region = dmtxRegionFindNext(decoder, &timeout); region != nullptr) {
        if (DmtxMessage* message = dmtxDecodeMatrixRegion(decoder, region, DmtxUndefined);
            message != nullptr) {
            found.emplace_back(reinterpret_cast<const char*>(message->output),
                               static_cast<std::size_t>(message->outputIdx));
            dmtxMessageDestroy(&message);
        }
        dmtxRegionDestroy(&region);
    }
    dmtxDecodeDestroy(&decoder);
    dmtxImageDestroy(&dimage);
    return found;
}

}  // namespace varnholt::test
