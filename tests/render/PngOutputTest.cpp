// The PNG measured in pixels: quiet zones, add-on gaps, module widths, resolution and bar
// heights as the print request says, and the modules as the model's sequences.

#include <gtest/gtest.h>

#include <cmath>
#include <optional>
#include <string>
#include <utility>

#include "model/ModuleSequence.h"
#include "render/FileFormat.h"
#include "render/Layout.h"
#include "tests/render/Rasterizer.h"
#include "tests/support/CaseName.h"

namespace varnholt::render {
namespace {

struct Measured {
    int firstDark = -1;
    int lastDark = -1;
    std::vector<int>
        runs;  // lengths of the dark and light runs from the first dark pixel to the last
};

Measured MeasureRow(const test::GreyImage& image, int y) {
    Measured measured;
    for (int x = 0; x < image.width; ++x) {
        if (image.At(x, y) < 128) {
            measured.firstDark = measured.firstDark < 0 ? x : measured.firstDark;
            measured.lastDark = x;
        }
    }
    for (int x = measured.firstDark; x >= 0 && x <= measured.lastDark; ++x) {
        const bool dark = image.At(x, y) < 128;
        if (measured.runs.empty() || dark != (measured.runs.size() % 2 == 1)) {
            measured.runs.push_back(0);
        }
        ++measured.runs.back();
    }
    return measured;
}

// The first and one past the last dark row of a pixel column.
std::pair<int, int> DarkRows(const test::GreyImage& image, int column) {
    int first = 0;
    while (first < image.height && image.At(column, first) >= 128) {
        ++first;
    }
    int last = first;
    while (last < image.height && image.At(column, last) < 128) {
        ++last;
    }
    return {first, last};
}

struct Member {
    std::string name;
    std::string text;
    std::optional<Symbology> symbology;
    std::string digits;  // the main symbol's, as drawn
    std::string addOn;
    int quietLeft;  // modules
    int quietRight;
    int gap;
};

class PngMeasures : public testing::TestWithParam<Member> {};

TEST_P(PngMeasures, AsRequested) {
    const Member& member = GetParam();
    const ModuleSequence main =
        ModulesOf(member.symbology.value_or(Symbology::Ean13), member.digits);
    const ModuleSequence addOn =
        ModulesOf(member.addOn.size() == 2 ? Symbology::Ean2 : Symbology::Ean5, member.addOn);
    for (const double dpi : {203.0, 300.0, 600.0}) {
        Options options;
        options.symbology = member.symbology;
        options.dpi = dpi;
        const Result<Layout> layout = LayOut(member.text, options);
        ASSERT_TRUE(layout) << layout.Error();
        const test::PngPicture png = test::ReadPng(*EncodePng(*layout));
        const int dots = layout->module.dots;
        SCOPED_TRACE(std::to_string(dpi) + " dpi");

        EXPECT_NEAR(png.dpi, dpi, 0.02);
        const double dotsPerMm = dpi / 25.4;
        const double barRows = 22.85 * layout->module.magnification * dotsPerMm;
        const Measured row = MeasureRow(png.image, static_cast<int>(barRows / 2));
        // The quiet zones, measured in modules.
        EXPECT_EQ(row.firstDark, member.quietLeft * dots);
        EXPECT_EQ(png.image.width - 1 - row.lastDark, member.quietRight * dots);
        // Every bar and space a whole number of modules, each exactly `dots` wide, and the
        // modules read column by column are the model's: the main symbol's, the gap, the
        // add-on's.
        std::string modules;
        for (std::size_t i = 0; i < row.runs.size(); ++i) {
            EXPECT_EQ(row.runs[i] % dots, 0) << "run " << i;
            modules.append(static_cast<std::size_t>(row.runs[i] / dots), i % 2 == 0 ? '1' : '0');
        }
        const std::string gap(static_cast<std::size_t>(addOn.count != 0 ? member.gap : 0), '0');
        EXPECT_EQ(modules, std::string(main.Text()) + gap + std::string(addOn.Text()));
        // The data bars' height, down the first column of the second symbol character; the
        // start guard's reaching 5 modules further.
        const int dataColumn = row.firstDark + static_cast<int>(main.Text().find('1', 10)) * dots;
        const auto [dataTop, dataEnd] = DarkRows(png.image, dataColumn);
        EXPECT_EQ(dataTop, 0);
        EXPECT_NEAR(dataEnd, barRows, 1.0);
        EXPECT_EQ(DarkRows(png.image, row.firstDark).second - dataEnd, 5 * dots);
    }
}

constexpr auto kUpcA = Symbology::UpcA;
constexpr auto kUpcE = Symbology::UpcE;

INSTANTIATE_TEST_SUITE_P(
    Members, PngMeasures,
    testing::Values(
        Member{"Ean13", "5400101109971", {}, "5400101109971", "", 11, 7, 0},
        Member{"Ean13LeadingZeros", "0012345678905", {}, "0012345678905", "", 11, 7, 0},
        Member{"Ean8", "96385074", {Symbology::Ean8}, "96385074", "", 7, 7, 0},
        Member{"Ean13Ean5", "9780306406157+51234", {}, "9780306406157", "51234", 11, 5, 7},
        Member{"UpcA", "03600029145", kUpcA, "036000291452", "", 9, 9, 0},
        Member{"UpcAEan2", "036000291452+12", kUpcA, "036000291452", "12", 9, 5, 9},
        Member{"UpcE", "0123456", kUpcE, "01234565", "", 9, 7, 0},
        Member{"UpcENumberSystem1Ean5", "1123456+54495", kUpcE, "11234562", "54495", 9, 5, 7}),
    test::CaseName{});

TEST(PngOutput, ARequestedBarHeightHoldsToADot) {
    for (const double height : {8.0, 15.5, 40.0}) {
        Options options;
        options.dpi = 300.0;
        options.barHeightMm = height;
        const Result<Layout> layout = LayOut("96385074", options);
        ASSERT_TRUE(layout) << layout.Error();
        const test::PngPicture png = test::ReadPng(*EncodePng(*layout));
        // Column of the first data bar, module 4 ("9" in set A is 0001011).
        const int column = (7 + 3 + 3) * layout->module.dots;
        int rows = 0;
        while (rows < png.image.height && png.image.At(column, rows) < 128) {
            ++rows;
        }
        EXPECT_NEAR(rows, height * 300.0 / 25.4, 1.0) << height;
    }
}

TEST(PngOutput, OneBitAPixelInTheSymbolsColours) {
    Options options;
    options.dpi = 203.0;
    const std::string plain = *EncodePng(*LayOut("96385074", options));
    options.foreground = {0, 0, 128};
    const std::string navy = *EncodePng(*LayOut("96385074", options));
    options.transparentBackground = true;
    const std::string clear = *EncodePng(*LayOut("96385074", options));
    // IHDR's bit depth and colour type: grey for black on white, a palette otherwise.
    const auto header = [](const std::string& png) {
        return std::pair<int, int>{png[24], png[25]};
    };
    EXPECT_EQ(header(plain), (std::pair<int, int>{1, 0}));
    EXPECT_EQ(header(navy), (std::pair<int, int>{1, 3}));
    EXPECT_EQ(header(clear), (std::pair<int, int>{1, 3}));
    EXPECT_NE(clear.find("tRNS"), std::string::npos);
    EXPECT_EQ(navy.find("tRNS"), std::string::npos);
    // The palette: the background first, then the ink.
    const std::size_t palette = navy.find("PLTE");
    ASSERT_NE(palette, std::string::npos);
    EXPECT_EQ(navy.substr(palette + 4, 6), std::string("\xff\xff\xff\x00\x00\x80", 6));
    // On white, as printed, each scans.
    for (const std::string* bytes : {&plain, &navy, &clear}) {
        EXPECT_EQ(test::DecodeWithZBar(test::ReadPng(*bytes).image),
                  std::vector<std::string>{"96385074"});
    }
}

TEST(PngOutput, NeedsAResolutionAndRefusesHugeImages) {
    const Result<Layout> vector = LayOut("96385074", Options{});
    ASSERT_TRUE(vector);
    EXPECT_FALSE(EncodePng(*vector));
    Options huge;
    huge.dpi = 100000.0;
    huge.barHeightMm = 1000.0;
    const Result<Layout> layout = LayOut("5400101109971", huge);
    ASSERT_TRUE(layout) << layout.Error();
    const Result<std::string> png = EncodePng(*layout);
    ASSERT_FALSE(png);
    EXPECT_NE(png.Error().find("pixels"), std::string::npos) << png.Error();
}

}  // namespace
}  // namespace varnholt::render
