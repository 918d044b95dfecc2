// GS1 data drawn as GS1-128, DataMatrix and QR Code, in every format and at common printer
// resolutions, rasterised back as printing tools see it: independent decoders must read the
// symbology identifier and exactly the data given, and the picture must show the module and
// the quiet zones the layout reports.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <optional>
#include <string>
#include <tuple>
#include <vector>

#include "render/FileFormat.h"
#include "render/Layout.h"
#include "tests/render/Rasterizer.h"

namespace varnholt::render {
namespace {

const std::string kGs = "\x1D";
// (01) and (17) have fixed lengths and go first; (10) ends the string without a GS.
const std::string kElements = "01095060001343521727123110AB-123";
const std::string kUri = "https://id.gs1.org/01/09506000134352/10/AB-123?17=271231";
const std::string kMadeUri = "https://id.gs1.org/01/09506000134352/10/AB-123";
// An "&" the SVG must escape, or rsvg-convert reads no picture at all.
const std::string kTwoAttributes = "https://id.gs1.org/01/09506000134352?17=271231&3103=000189";

// Data as given, the carrier, and what each decoder must read; nothing where a decoder does
// not read the symbology. `firstRun` is the dark modules the first row of ink starts with.
struct Drawn {
    const char* name;
    std::string data;
    DataCarrier carrier;
    DataMatrixShape shape;
    std::string zxing;
    std::optional<std::string> zbar;
    std::optional<std::string> dmtx;
    int quiet;
    int firstRun;
};

const Drawn kDrawn[] = {
    {"Gs1128",
     "(01)09506000134352(17)271231(10)AB-123",
     DataCarrier::Gs1128,
     DataMatrixShape::Square,
     "]C1" + kElements,
     kElements,
     {},
     10,
     2},
    {"Gs1128ThroughGs",
     "(10)AB-123(01)09506000134352(21)XYZ",
     DataCarrier::Gs1128,
     DataMatrixShape::Square,
     // Variable-length (10) keeps its place: moving it last would save no GS.
     "]C110AB-123" + kGs + "010950600013435221XYZ",
     "10AB-123" + kGs + "010950600013435221XYZ",
     {},
     10,
     2},
    {"DataMatrix",
     "(01)09506000134352(17)271231(10)AB-123",
     DataCarrier::DataMatrix,
     DataMatrixShape::Square,
     "]d2" + kElements,
     {},
     kGs + kElements,
     1,
     1},
    {"DataMatrixRectangle",
     "(01)09506000134352(17)271231(10)AB-123",
     DataCarrier::DataMatrix,
     DataMatrixShape::Rectangle,
     "]d2" + kElements,
     {},
     kGs + kElements,
     1,
     1},
    {"DataMatrixUri",
     kUri,
     DataCarrier::DataMatrix,
     DataMatrixShape::Square,
     "]d1" + kUri,
     {},
     kUri,
     1,
     1},
    {"QrUri", kUri, DataCarrier::QrCode, DataMatrixShape::Square, "]Q1" + kUri, kUri, {}, 4, 7},
    {"QrUriTwoAttributes",
     kTwoAttributes,
     DataCarrier::QrCode,
     DataMatrixShape::Square,
     "]Q1" + kTwoAttributes,
     kTwoAttributes,
     {},
     4,
     7},
    {"QrFromElements",
     "(01)09506000134352(10)AB-123",
     DataCarrier::QrCode,
     DataMatrixShape::Square,
     "]Q1" + kMadeUri,
     kMadeUri,
     {},
     4,
     7},
};

using Case = std::tuple<Drawn, int, FileFormat>;

class CarrierDecode : public testing::TestWithParam<Case> {};

// The first row with ink, and where its first run of ink starts and ends, in pixels.
struct FirstInk {
    int row = -1;
    int left = -1;
    int right = -1;
};
FirstInk FindFirstInk(const test::GreyImage& picture) {
    for (int y = 0; y < picture.height; ++y) {
        for (int x = 0; x < picture.width; ++x) {
            if (picture.At(x, y) < 128) {
                int end = x;
                while (end < picture.width && picture.At(end, y) < 128) {
                    ++end;
                }
                return {y, x, end};
            }
        }
    }
    return {};
}

// The picture's rows above `rows`.
test::GreyImage CutOff(const test::GreyImage& picture, int rows) {
    test::GreyImage cut = picture;
    cut.height = std::min(rows, picture.height);
    cut.pixels.resize(static_cast<std::size_t>(cut.width) * static_cast<std::size_t>(cut.height));
    return cut;
}

TEST_P(CarrierDecode, ReadsAsTheDataGivenAtItsSize) {
    const auto [drawn, dpi, format] = GetParam();
    Options options;
    options.gs1.carrier = drawn.carrier;
    options.gs1.shape = drawn.shape;
    options.dpi = dpi;
    const Result<Layout> layout = LayOut(drawn.data, options);
    ASSERT_TRUE(layout) << layout.Error();
    const Result<std::string> bytes = Encode(*layout, format);
    ASSERT_TRUE(bytes) << bytes.Error();
    test::GreyImage picture = test::Rasterize(*bytes, format, dpi);

    EXPECT_NEAR(picture.width, layout->WidthDots(), 1.0);
    EXPECT_NEAR(picture.height, layout->HeightDots(), 1.0);
    // The module is what the layout reports, in whole dots, within GS1's range; the ink starts
    // after the quiet zone (a 2D symbol's above it too), with a run of the symbology's modules.
    const int dots = layout->module.dots;
    ASSERT_GT(dots, 0);
    EXPECT_NEAR(layout->module.mm, dots * 25.4 / dpi, 1e-9);
    const FirstInk ink = FindFirstInk(picture);
    const int left = static_cast<int>(std::lround(layout->symbolLeftMm * dpi / 25.4));
    EXPECT_GE(left, drawn.quiet * dots);
    EXPECT_NEAR(ink.left, left, 1.0);
    // An EPS's bounding box is whole points, which may move the picture up by part of one.
    const double rows = format == FileFormat::Eps ? 1.0 + dpi / 72.0 : 1.0;
    EXPECT_NEAR(ink.row, drawn.carrier == DataCarrier::Gs1128 ? 0 : drawn.quiet * dots, rows);
    EXPECT_NEAR(ink.right - ink.left, drawn.firstRun * dots, 1.0);

    // Decoded as a reader aimed at the symbol sees it: the text under a 2D symbol cut off two
    // modules below it, as ZXing looks for it from the picture's middle.
    if (drawn.carrier != DataCarrier::Gs1128 && !layout->characters.empty()) {
        double bottom = 0.0;
        for (const Box& box : layout->bars) {
            bottom = std::max(bottom, box.y + box.height);
        }
        picture = CutOff(
            picture, static_cast<int>(std::lround((bottom + 2 * layout->module.mm) * dpi / 25.4)));
    }
    EXPECT_EQ(test::DecodeSymbolWithZXing(picture), std::vector<std::string>{drawn.zxing});
    if (drawn.zbar) {
        EXPECT_EQ(test::DecodeSymbolWithZBar(picture), std::vector<std::string>{*drawn.zbar});
    }
    if (drawn.dmtx) {
        EXPECT_EQ(test::DecodeDataMatrixWithDmtx(picture), std::vector<std::string>{*drawn.dmtx});
    }
}

std::string CaseName(const testing::TestParamInfo<Case>& info) {
    const auto [drawn, dpi, format] = info.param;
    return std::string(drawn.name) + "_" + std::to_string(dpi) + "dpi_" +
           std::string(NameOf(format));
}

INSTANTIATE_TEST_SUITE_P(Carriers, CarrierDecode,
                         testing::Combine(testing::ValuesIn(kDrawn), testing::Values(203, 300, 600),
                                          testing::Values(FileFormat::Svg, FileFormat::Pdf,
                                                          FileFormat::Eps, FileFormat::Png)),
                         CaseName);

}  // namespace
}  // namespace varnholt::render
