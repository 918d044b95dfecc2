#include "render/Layout.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>

#include "tests/support/CaseName.h"

namespace varnholt::render {
namespace {

// The dark modules the bars cover, read back at module resolution from the layout's boxes.
std::string ModulesUnderBars(const Layout& layout) {
    const double x = layout.module.mm;
    const int count = static_cast<int>(layout.modules.count);
    std::string modules(static_cast<std::size_t>(count), '0');
    for (const Box& bar : layout.bars) {
        // Each module whose centre the bar covers.
        for (int m = 0; m < count; ++m) {
            const double centre = layout.symbolLeftMm + (m + 0.5) * x;
            if (centre > bar.x && centre < bar.x + bar.width) {
                modules[static_cast<std::size_t>(m)] = '1';
            }
        }
    }
    return modules;
}

struct GeometryRow {
    std::string name;
    std::string number;
    bool quietZones;
    int quietLeft;
    int quietRight;
    int modules;
};

class LayoutGeometry : public testing::TestWithParam<GeometryRow> {};

TEST_P(LayoutGeometry, QuietZonesBarsAndSize) {
    const GeometryRow& row = GetParam();
    Options options;
    options.quietZones = row.quietZones;
    const Result<Layout> layout = LayOut(row.number, options);
    ASSERT_TRUE(layout) << layout.Error();
    const double x = 0.33;
    EXPECT_EQ(layout->quietLeftModules, row.quietLeft);
    EXPECT_EQ(layout->quietRightModules, row.quietRight);
    EXPECT_EQ(static_cast<int>(layout->modules.count), row.modules);
    EXPECT_NEAR(layout->widthMm, (row.quietLeft + row.modules + row.quietRight) * x, 1e-9);
    EXPECT_NEAR(layout->symbolLeftMm, row.quietLeft * x, 1e-9);
    EXPECT_EQ(ModulesUnderBars(*layout), layout->modules.Text());
    // Data bars 22.85 mm; guard bars reach 5 modules further; digits 2.75 mm below them.
    EXPECT_NEAR(layout->barHeightMm, 22.85, 1e-9);
    for (const Box& bar : layout->bars) {
        const auto first =
            static_cast<std::size_t>(std::lround((bar.x - layout->symbolLeftMm) / x));
        const double expected = layout->modules.IsGuard(first) ? 22.85 + 5 * x : 22.85;
        EXPECT_NEAR(bar.height, expected, 1e-9);
        EXPECT_EQ(bar.y, 0.0);
    }
    EXPECT_NEAR(layout->heightMm, 22.85 + x + 2.75, 1e-9);
    EXPECT_FALSE(layout->text.empty());
    EXPECT_EQ(Review(options)->report, "0.33 mm, 100 %");
}

INSTANTIATE_TEST_SUITE_P(Symbols, LayoutGeometry,
                         testing::Values(
                             // GS1: 11 modules left and 7 right of an EAN-13, 7 around an EAN-8.
                             GeometryRow{"Ean13", "5400101109971", true, 11, 7, 95},
                             GeometryRow{"Ean8", "96385074", true, 7, 7, 67},
                             GeometryRow{"Ean8WithoutQuietZones", "96385074", false, 0, 0, 67}),
                         test::CaseName{});

TEST(Layout, WithoutQuietZonesAnEan13KeepsRoomOnlyForItsFirstDigit) {
    Options options;
    options.quietZones = false;
    const Result<Layout> layout = LayOut("5400101109971", options);
    ASSERT_TRUE(layout) << layout.Error();
    EXPECT_EQ(layout->quietRightModules, 0);
    EXPECT_GT(layout->quietLeftModules, 0);
    EXPECT_LT(layout->quietLeftModules, 11);
    double textLeft = layout->widthMm;
    for (const PathSegment& segment : layout->text) {
        if (segment.kind != PathSegment::Kind::Close) {
            textLeft = std::min(textLeft, segment.points[0]);
        }
    }
    EXPECT_GE(textLeft, 0.0) << "the first digit lies inside the symbol";
}

TEST(Layout, AtAResolutionEveryEdgeIsOnTheDotGrid) {
    for (const double dpi : {203.0, 300.0, 600.0}) {
        Options options;
        options.dpi = dpi;
        options.barWidthReduction = {1, BarWidthReduction::Unit::Dots};
        const Result<Layout> layout = LayOut("5400101109971", options);
        ASSERT_TRUE(layout) << layout.Error();
        const double dot = 25.4 / dpi;
        const auto onGrid = [dot](double mm) {
            return std::abs(mm / dot - std::round(mm / dot)) < 1e-6;
        };
        EXPECT_TRUE(onGrid(layout->widthMm) && onGrid(layout->heightMm)) << dpi;
        EXPECT_TRUE(onGrid(layout->barHeightMm)) << dpi;
        for (const Box& bar : layout->bars) {
            EXPECT_TRUE(onGrid(bar.x) && onGrid(bar.width) && onGrid(bar.height)) << dpi;
        }
        EXPECT_EQ(layout->WidthDots(), 113 * layout->module.dots);
        EXPECT_NE(Review(options)->report.find("bars narrowed by 1 dot"), std::string::npos);
    }
}

TEST(Layout, BarWidthReductionNarrowsEveryBarEqually) {
    Options plain;
    plain.dpi = 600.0;
    Options reduced = plain;
    reduced.barWidthReduction.amount = 0.085;  // two dots at 600 dpi
    const Result<Layout> wide = LayOut("96385074", plain);
    const Result<Layout> narrow = LayOut("96385074", reduced);
    ASSERT_TRUE(wide && narrow);
    ASSERT_EQ(wide->bars.size(), narrow->bars.size());
    const double twoDots = 2 * 25.4 / 600.0;
    for (std::size_t i = 0; i < wide->bars.size(); ++i) {
        EXPECT_NEAR(narrow->bars[i].width, wide->bars[i].width - twoDots, 1e-9);
        EXPECT_NEAR(narrow->bars[i].x, wide->bars[i].x + twoDots / 2, 1e-9);
    }
    EXPECT_EQ(Review(reduced)->report,
              "0.33 mm at 600 dpi: 8 dots = 0.339 mm, 103 %; bars "
              "narrowed by 2 dots = 0.085 mm");
}

TEST(Layout, TruncationIsReported) {
    Options options;
    options.barHeightMm = 10.0;
    const Result<Layout> layout = LayOut("5400101109971", options);
    ASSERT_TRUE(layout) << layout.Error();
    EXPECT_NEAR(layout->barHeightMm, 10.0, 1e-9);
    EXPECT_EQ(Review(options)->report, "0.33 mm, 100 %; bars truncated to 10 mm, 44 % of 22.85 mm");
    options.barHeightMm = 30.0;
    EXPECT_EQ(Review(options)->report, "0.33 mm, 100 %");
}

TEST(Layout, ScalesWithTheMagnification) {
    Options options;
    options.xDimensionMm = 0.66;
    const Result<Layout> layout = LayOut("5400101109971", options);
    ASSERT_TRUE(layout) << layout.Error();
    EXPECT_NEAR(layout->barHeightMm, 45.7, 1e-9);
    EXPECT_NEAR(layout->heightMm, 45.7 + 0.66 + 5.5, 1e-9);
}

TEST(Layout, ReviewSaysWhatTheOptionsComeToWithoutANumber) {
    Options options;
    options.dpi = 203.0;
    options.foreground = {255, 0, 0};
    const Result<ReviewedOptions> review = Review(options);
    ASSERT_TRUE(review) << review.Error();
    EXPECT_EQ(review->report, "0.33 mm at 203 dpi: 3 dots = 0.375 mm, 114 %");
    ASSERT_EQ(review->warnings.size(), 1u);
    EXPECT_NE(review->warnings.front().find("red light"), std::string::npos);
    EXPECT_TRUE(Review(Options{})->warnings.empty());
}

TEST(Layout, Refusals) {
    struct Row {
        const char* number;
        Options options;
        const char* error;
        ErrorKind kind = ErrorKind::Usage;
    };
    Options tooSmall;
    tooSmall.xDimensionMm = 0.25;
    Options noDot;
    noDot.dpi = 25.0;
    Options indicatorsAlone;
    indicatorsAlone.quietZones = false;
    indicatorsAlone.marginIndicators = true;
    Options dotsWithoutResolution;
    dotsWithoutResolution.barWidthReduction = {1, BarWidthReduction::Unit::Dots};
    Options wholeModule;
    wholeModule.barWidthReduction.amount = 0.33;
    // More dots than an int holds, at a resolution.
    Options beyondDots;
    beyondDots.dpi = 203.0;
    beyondDots.barWidthReduction.amount = 5.8e17;
    // 3.6 dots of a 4-dot module round up to all of it.
    Options roundsToTheModule;
    roundsToTheModule.dpi = 300.0;
    roundsToTheModule.barWidthReduction.amount = 3.6 * 25.4 / 300.0;
    Options partDot;
    partDot.dpi = 300.0;
    partDot.barWidthReduction = {1.5, BarWidthReduction::Unit::Dots};
    Options negativeHeight;
    negativeHeight.barHeightMm = -1.0;
    for (const Row& row : {
             Row{"5400101109972",
                 {},
                 "check digit 2 is wrong, 540010110997 needs 1",
                 ErrorKind::Input},
             Row{"54001011099", {}, "11 digits, not 13, 12, 8 or 7", ErrorKind::Input},
             Row{"54001O1109971", {}, "\"O\" at column 6 is not a digit", ErrorKind::Input},
             Row{"5400101109971", tooSmall, "outside 0.264 to 0.66 mm"},
             Row{"5400101109971", noDot, "no whole number of dots"},
             Row{"96385074", indicatorsAlone, "cannot go without them"},
             Row{"96385074", dotsWithoutResolution, "needs a resolution"},
             Row{"96385074", wholeModule, "leaves nothing"},
             Row{"96385074", beyondDots, "leaves nothing"},
             Row{"96385074", roundsToTheModule, "4 dots leaves nothing"},
             Row{"96385074", partDot, "whole number"},
             Row{"96385074", negativeHeight, "bar height -1 mm"},
         }) {
        const Result<Layout> layout = LayOut(row.number, row.options);
        ASSERT_FALSE(layout) << row.error;
        EXPECT_NE(layout.Error().find(row.error), std::string::npos) << layout.Error();
        EXPECT_EQ(layout.Kind(), row.kind) << row.error;
    }
}

}  // namespace
}  // namespace varnholt::render
