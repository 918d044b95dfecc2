// The PNG measured in pixels: quiet zones, module widths, resolution and bar height as the
// print request says, and the modules as the model's sequence.

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <utility>

#include "model/ModuleSequence.h"
#include "render/FileFormat.h"
#include "render/Layout.h"
#include "tests/render/Rasterizer.h"

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

// The first pixel column of the first dark module after the start guard.
int FirstDataBarColumn(const Measured& row, std::string_view modules, int dots) {
    return row.firstDark + static_cast<int>(modules.find('1', 3)) * dots;
}

TEST(PngOutput, MeasuresAsRequested) {
    for (const char* number : {"5400101109971", "96385074", "0012345678905"}) {
        for (const double dpi : {203.0, 300.0, 600.0}) {
            Options options;
            options.dpi = dpi;
            const Result<Layout> layout = LayOut(number, options);
            ASSERT_TRUE(layout) << layout.Error();
            const test::PngPicture png = test::ReadPng(*EncodePng(*layout));
            const int dots = layout->module.dots;
            const bool ean13 = std::string_view(number).size() == 13;
            SCOPED_TRACE(std::string(number) + " at " + std::to_string(dpi));

            EXPECT_NEAR(png.dpi, dpi, 0.02);
            const int barRows =
                static_cast<int>(std::lround(22.85 * layout->module.magnification * dpi / 25.4));
            const Measured row = MeasureRow(png.image, barRows / 2);
            // The quiet zones, measured: 11 and 7 modules of an EAN-13, 7 and 7 of an EAN-8.
            EXPECT_EQ(row.firstDark, (ean13 ? 11 : 7) * dots);
            EXPECT_EQ(png.image.width - 1 - row.lastDark, 7 * dots);
            // Every bar and space a whole number of modules, each exactly `dots` wide, and the
            // modules read column by column are the model's.
            std::string modules;
            for (std::size_t i = 0; i < row.runs.size(); ++i) {
                EXPECT_EQ(row.runs[i] % dots, 0) << "run " << i;
                modules.append(static_cast<std::size_t>(row.runs[i] / dots),
                               i % 2 == 0 ? '1' : '0');
            }
            EXPECT_EQ(modules, ModulesOf(number).Text());
            // The data bars' height: count the dark rows of the first data bar's first column.
            const int column = FirstDataBarColumn(row, ModulesOf(number).Text(), dots);
            int rows = 0;
            while (rows < png.image.height && png.image.At(column, rows) < 128) {
                ++rows;
            }
            EXPECT_NEAR(rows, 22.85 * layout->module.magnification * dpi / 25.4, 1.0);
        }
    }
}

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
