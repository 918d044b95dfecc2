#include "render/Layout.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <optional>
#include <string>

#include "tests/support/CaseName.h"

namespace varnholt::render {
namespace {

// The dark modules the bars cover, read back at module resolution from the layout's boxes
// between `left` and `left + count` modules.
std::string ModulesUnderBars(const Layout& layout, double left, std::size_t count) {
    const double x = layout.module.mm;
    std::string modules(count, '0');
    for (const Box& bar : layout.bars) {
        // Each module whose centre the bar covers.
        for (std::size_t m = 0; m < count; ++m) {
            const double centre = left + (static_cast<double>(m) + 0.5) * x;
            if (centre > bar.x && centre < bar.x + bar.width) {
                modules[m] = '1';
            }
        }
    }
    return modules;
}

// How many of the text path's points lie across between `from` and `to`.
int TextBetween(const Layout& layout, double from, double to) {
    return static_cast<int>(std::ranges::count_if(layout.Text(), [&](const PathSegment& segment) {
        return segment.kind != PathSegment::Kind::Close && segment.points[0] > from &&
               segment.points[0] < to;
    }));
}

struct GeometryRow {
    std::string name;
    std::string number;
    std::optional<Symbology> symbology;
    bool quietZones;
    int quietLeft;
    int quietRight;  // right of everything
    int modules;
    int gap;  // before the add-on
    int addOnModules;
    int longBars;  // reaching down 5 modules: guards, and a UPC-A's outer characters
};

class LayoutGeometry : public testing::TestWithParam<GeometryRow> {};

constexpr auto kUpcA = Symbology::UpcA;
constexpr auto kUpcE = Symbology::UpcE;

TEST_P(LayoutGeometry, QuietZonesBarsAndSize) {
    const GeometryRow& row = GetParam();
    Options options;
    options.quietZones = row.quietZones;
    options.symbology = row.symbology;
    const Result<Layout> layout = LayOut(row.number, options);
    ASSERT_TRUE(layout) << layout.Error();
    const double x = 0.33;
    EXPECT_EQ(layout->quietLeftModules, row.quietLeft);
    EXPECT_EQ(layout->quietRightModules, row.quietRight);
    EXPECT_EQ(layout->addOnGapModules, row.gap);
    EXPECT_EQ(static_cast<int>(layout->modules.count), row.modules);
    EXPECT_EQ(static_cast<int>(layout->addOn.count), row.addOnModules);
    const int across = row.quietLeft + row.modules + row.gap + row.addOnModules + row.quietRight;
    EXPECT_NEAR(layout->widthMm, across * x, 1e-9);
    EXPECT_NEAR(layout->symbolLeftMm, row.quietLeft * x, 1e-9);
    const double symbolRight = (row.quietLeft + row.modules) * x;
    EXPECT_EQ(ModulesUnderBars(*layout, layout->symbolLeftMm, layout->modules.count),
              layout->modules.Text());
    EXPECT_EQ(ModulesUnderBars(*layout, symbolRight + row.gap * x, layout->addOn.count),
              layout->addOn.Text());
    // Data bars 22.85 mm; long bars reach 5 modules further; the add-on's as far, from a
    // module below its 2.75 mm digits; the main digits 2.75 mm, a module below the data bars.
    EXPECT_NEAR(layout->barHeightMm, 22.85, 1e-9);
    int longBars = 0;
    for (const Box& bar : layout->bars) {
        if (bar.x > symbolRight) {
            EXPECT_NEAR(bar.y, 2.75 + x, 1e-9);
            EXPECT_NEAR(bar.y + bar.height, 22.85 + 5 * x, 1e-9);
            continue;
        }
        EXPECT_EQ(bar.y, 0.0);
        const bool isLong = std::abs(bar.height - (22.85 + 5 * x)) < 1e-9;
        EXPECT_TRUE(isLong || std::abs(bar.height - 22.85) < 1e-9) << bar.height;
        longBars += isLong ? 1 : 0;
    }
    EXPECT_EQ(longBars, row.longBars);
    EXPECT_NEAR(layout->heightMm, 22.85 + x + 2.75, 1e-9);
    // Every digit inside the symbol: the first left of the bars but an EAN-8's, a UPC's last
    // right of them.
    const Symbology symbology = layout->symbology;
    const double margin = (row.gap != 0 ? row.gap : row.quietRight) * x;
    EXPECT_EQ(TextBetween(*layout, -1e9, 0.0) + TextBetween(*layout, layout->widthMm, 1e9), 0);
    EXPECT_EQ(TextBetween(*layout, 0.0, layout->symbolLeftMm) > 0, symbology != Symbology::Ean8);
    EXPECT_EQ(TextBetween(*layout, symbolRight, symbolRight + margin) > 0,
              symbology == kUpcA || symbology == kUpcE);
    EXPECT_EQ(Review(options)->report, "0.33 mm, 100 %");
}

INSTANTIATE_TEST_SUITE_P(
    Symbols, LayoutGeometry,
    testing::Values(
        // GS1: quiet zones of 11 and 7 modules around an EAN-13, 7 and 7 around an EAN-8, 9
        // and 9 around a UPC-A, 9 and 7 around a UPC-E; an add-on 7 to 12 modules right of its
        // symbol, with 5 after it.
        GeometryRow{"Ean13", "5400101109971", {}, true, 11, 7, 95, 0, 0, 6},
        GeometryRow{"Ean8", "96385074", {}, true, 7, 7, 67, 0, 0, 6},
        GeometryRow{"UpcA", "036000291452", kUpcA, true, 9, 9, 95, 0, 0, 10},
        GeometryRow{"UpcE", "01234565", kUpcE, true, 9, 7, 51, 0, 0, 5},
        GeometryRow{"Ean13WithEan5", "9780306406157+51234", {}, true, 11, 5, 95, 7, 47, 6},
        GeometryRow{"UpcAWithEan2", "036000291452+12", kUpcA, true, 9, 5, 95, 9, 20, 10},
        GeometryRow{"UpcEWithEan2", "01234565+12", kUpcE, true, 9, 5, 51, 7, 20, 5},
        // Without quiet zones, room only for the digits beside the bars (and for the add-on's
        // last, which overhangs its character); the add-on keeps its gap.
        GeometryRow{"Ean8WithoutQuietZones", "96385074", {}, false, 0, 0, 67, 0, 0, 6},
        GeometryRow{"Ean13WithoutQuietZones", "5400101109971", {}, false, 9, 0, 95, 0, 0, 6},
        GeometryRow{"UpcAWithoutQuietZones", "036000291452", kUpcA, false, 7, 7, 95, 0, 0, 10},
        GeometryRow{"UpcEWithEan5WithoutQuietZones", "01234565+51234", kUpcE, false, 7, 1, 51, 7,
                    47, 5}),
    test::CaseName{});

TEST(Layout, MarginIndicatorsWhereGs1HasThem) {
    Options options;
    options.marginIndicators = true;
    // ">" right of an EAN-13's add-on, in the 7 modules an EAN-13 alone has for it.
    const Result<Layout> book = LayOut("9780306406157+51234", options);
    ASSERT_TRUE(book) << book.Error();
    EXPECT_EQ(book->quietRightModules, 7);
    const double addOnRight = book->addOnLeftMm + 47 * book->module.mm;
    EXPECT_GT(TextBetween(*book, addOnRight, book->widthMm), 0);
    // A UPC has none.
    options.symbology = Symbology::UpcA;
    const Result<Layout> marked = LayOut("036000291452", options);
    options.marginIndicators = false;
    const Result<Layout> plain = LayOut("036000291452", options);
    ASSERT_TRUE(marked && plain);
    EXPECT_EQ(marked->Text().size(), plain->Text().size());
}

TEST(Layout, AtAResolutionEveryEdgeIsOnTheDotGrid) {
    struct Row {
        const char* number;
        std::optional<Symbology> symbology;
        int modules;  // across, quiet zones and add-on included
    };
    for (const auto& [number, symbology, modules] :
         {Row{"5400101109971", {}, 113}, Row{"03600029145+51234", Symbology::UpcA, 165}}) {
        for (const double dpi : {203.0, 300.0, 600.0}) {
            Options options;
            options.dpi = dpi;
            options.symbology = symbology;
            options.barWidthReduction = {1, BarWidthReduction::Unit::Dots};
            const Result<Layout> layout = LayOut(number, options);
            ASSERT_TRUE(layout) << layout.Error();
            const double dot = 25.4 / dpi;
            const auto onGrid = [dot](double mm) {
                return std::abs(mm / dot - std::round(mm / dot)) < 1e-6;
            };
            EXPECT_TRUE(onGrid(layout->widthMm) && onGrid(layout->heightMm)) << dpi;
            EXPECT_TRUE(onGrid(layout->barHeightMm)) << dpi;
            for (const Box& bar : layout->bars) {
                EXPECT_TRUE(onGrid(bar.x) && onGrid(bar.y) && onGrid(bar.width) &&
                            onGrid(bar.height))
                    << dpi;
            }
            EXPECT_EQ(layout->WidthDots(), modules * layout->module.dots);
            EXPECT_NE(Review(options)->report.find("bars narrowed by 1 dot"), std::string::npos);
        }
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
    Options addOnAlone;
    addOnAlone.symbology = Symbology::Ean5;
    for (const Row& row : {
             Row{"5400101109972",
                 {},
                 "check digit 2 is wrong, 540010110997 needs 1",
                 ErrorKind::Input},
             Row{"54001011099", {}, "11 digits, not 13, 12, 10, 8 or 7", ErrorKind::Input},
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
             Row{"12345", addOnAlone, "EAN-5 is an add-on"},
         }) {
        const Result<Layout> layout = LayOut(row.number, row.options);
        ASSERT_FALSE(layout) << row.error;
        EXPECT_NE(layout.Error().find(row.error), std::string::npos) << layout.Error();
        EXPECT_EQ(layout.Kind(), row.kind) << row.error;
    }
}

}  // namespace
}  // namespace varnholt::render
