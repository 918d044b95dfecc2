// Every format, rasterised back as printing tools see it, must scan as the number it was made
// for, with two independent decoders reading every symbology of the family: each member, with
// and without each add-on, at common printer resolutions; an EAN-13 and an EAN-8 also at the
// smallest and largest module and without quiet zones.

#include <gtest/gtest.h>

#include <cmath>
#include <optional>
#include <string>
#include <tuple>

#include "render/FileFormat.h"
#include "render/Layout.h"
#include "tests/render/Rasterizer.h"

namespace varnholt::render {
namespace {

// A number as given, the symbology asked for, and what the decoders must read.
struct Member {
    const char* name;
    const char* text;
    std::optional<Symbology> symbology;
    const char* read;
};

constexpr auto kUpcA = Symbology::UpcA;
constexpr auto kUpcE = Symbology::UpcE;
const Member kEan13{"Ean13", "5400101109971", {}, "EAN-13 5400101109971"};
const Member kEan8{"Ean8", "96385074", {}, "EAN-8 96385074"};
const Member kFamily[] = {
    {"Ean13Ean2", "9771234567003+02", {}, "EAN-13 9771234567003+02"},
    {"Ean13Ean5", "9780306406157+51234", {}, "EAN-13 9780306406157+51234"},
    {"UpcA", "03600029145", kUpcA, "UPC-A 036000291452"},
    {"UpcAEan2", "036000291452+12", kUpcA, "UPC-A 036000291452+12"},
    {"UpcAEan5", "012345678905+90000", kUpcA, "UPC-A 012345678905+90000"},
    {"UpcE", "0123456", kUpcE, "UPC-E 01234565"},
    {"UpcEEan2", "06543217+25", kUpcE, "UPC-E 06543217+25"},
    {"UpcEEan5", "012345000065+54495", kUpcE, "UPC-E 01234565+54495"},
};

using Case = std::tuple<Member, double, int, bool, FileFormat>;

class RenderDecode : public testing::TestWithParam<Case> {};

TEST_P(RenderDecode, ScansAsTheNumber) {
    const auto [member, xDimension, dpi, quietZones, format] = GetParam();
    Options options;
    options.symbology = member.symbology;
    options.xDimensionMm = xDimension;
    options.dpi = dpi;
    options.quietZones = quietZones;
    const Result<Layout> layout = LayOut(member.text, options);
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
    const std::vector<std::string> expected{member.read};
    EXPECT_EQ(test::DecodeFamilyWithZBar(picture), expected);
    EXPECT_EQ(test::DecodeFamilyWithZXing(picture), expected);
}

std::string CaseName(const testing::TestParamInfo<Case>& info) {
    const auto [member, xDimension, dpi, quietZones, format] = info.param;
    return std::string(member.name) + "_X" + std::to_string(std::lround(xDimension * 1000)) +
           "um_" + std::to_string(dpi) + "dpi_" + (quietZones ? "Quiet_" : "NoQuiet_") +
           std::string(NameOf(format));
}

const auto kFormats =
    testing::Values(FileFormat::Svg, FileFormat::Pdf, FileFormat::Eps, FileFormat::Png);
const auto kResolutions = testing::Values(203, 300, 600);

INSTANTIATE_TEST_SUITE_P(Sizes, RenderDecode,
                         testing::Combine(testing::Values(kEan13, kEan8),
                                          testing::Values(0.264, 0.330, 0.660), kResolutions,
                                          testing::Bool(), kFormats),
                         CaseName);

INSTANTIATE_TEST_SUITE_P(Family, RenderDecode,
                         testing::Combine(testing::ValuesIn(kFamily), testing::Values(0.330),
                                          kResolutions, testing::Bool(), kFormats),
                         CaseName);

}  // namespace
}  // namespace varnholt::render
