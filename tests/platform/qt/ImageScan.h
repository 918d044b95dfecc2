#pragma once

#include <QImage>
#include <string>
#include <vector>

#include "tests/support/Decoders.h"

namespace varnholt::test {

// What ZBar reads in a picture Qt grabbed, with a white quiet zone around it.
inline std::vector<std::string> ScanWithZBar(const QImage& image) {
    const QImage grey = image.convertToFormat(QImage::Format_Grayscale8);
    GreyImage pixels{grey.width(), grey.height(), {}};
    pixels.pixels.reserve(static_cast<std::size_t>(grey.width()) *
                          static_cast<std::size_t>(grey.height()));
    for (int y = 0; y < grey.height(); ++y) {
        const uchar* row = grey.constScanLine(y);
        pixels.pixels.insert(pixels.pixels.end(), row, row + grey.width());
    }
    return DecodeWithZBar(pixels.WithMargin(40));
}

}  // namespace varnholt::test
