// Every format, rasterised back as printing tools see it, must scan as the number it was made
// for, with two independent decoders, at the smallest, nominal and largest module and at
// common printer resolutions, with and without quiet zones.

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <tuple>

#include "render/FileFormat.h"
#include "render/Layout.h"
#include "tests/render/Rasterizer.h"

namespace varnholt::render {
namespace {

using Case = std::tuple<const char*, double, int, bool, FileFormat>;

class RenderDecode : public testing::TestWithParam<Case> {};

TEST_P(RenderDecode, ScansAsTheNumber) {
    const auto [number, xDimension, dpi, quietZones, format] = GetParam();
    Options options;
    options.xDimensionMm = xDimension;
    options.dpi = dpi;
    options.quietZones = quietZones;
    const Result<Layout> layout = LayOut(number, options);
    ASSERT_TRUE(layout) << layout.Error();
    const Result<std::string> bytes = Encode(*layout, format);
    ASSERT_TRUE(bytes) << bytes.Error();

    test::GreyImage picture = test::Rasterize(*bytes, format, dpi);
    // True size, to the pixel the rasteriser rounds to.
    EXPECT_NEAR(picture.width, layout->WidthDots(), 1.0);
    // Without quiet zones the symbol is scanned as it would be printed on white.
    if (!quietZones) {
        picture = picture.WithMargin(11 * layout->module.dots);
    }
    const std::vector<std::string> expected{number};
    EXPECT_EQ(test::DecodeWithZBar(picture), expected);
    EXPECT_EQ(test::DecodeWithZXing(picture), expected);
}

std::string CaseName(const testing::TestParamInfo<Case>& info) {
    const auto [number, xDimension, dpi, quietZones, format] = info.param;
    return std::string(std::string_view(number).size() == 13 ? "Ean13" : "Ean8") + "_X" +
           std::to_string(std::lround(xDimension * 1000)) + "um_" + std::to_string(dpi) + "dpi_" +
           (quietZones ? "Quiet_" : "NoQuiet_") + std::string(NameOf(format));
}

INSTANTIATE_TEST_SUITE_P(Formats, RenderDecode,
                         testing::Combine(testing::Values("5400101109971", "96385074"),
                                          testing::Values(0.264, 0.330, 0.660),
                                          testing::Values(203, 300, 600), testing::Bool(),
                                          testing::Values(FileFormat::Svg, FileFormat::Pdf,
                                                          FileFormat::Eps, FileFormat::Png)),
                         CaseName);

}  // namespace
}  // namespace varnholt::render
