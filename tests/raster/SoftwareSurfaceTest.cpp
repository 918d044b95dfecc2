#include "raster/SoftwareSurface.h"

#include <gtest/gtest.h>

#include <climits>
#include <set>
#include <utility>
#include <vector>

#include "raster/DigitFont.h"
#include "raster/SystemColors.h"

namespace varnholt::raster {
namespace {

constexpr ColorRef kRed = 0x000000FF;

using Pixel = std::pair<int, int>;

// Every pixel that is not white.
std::set<Pixel> Dark(const SoftwareSurface& surface) {
    std::set<Pixel> dark;
    for (int y = 0; y < surface.Height(); ++y) {
        for (int x = 0; x < surface.Width(); ++x) {
            if (surface.GetPixel(x, y) != kWhite) {
                dark.insert({x, y});
            }
        }
    }
    return dark;
}

std::set<Pixel> Column(int x, int top, int bottom) {
    std::set<Pixel> pixels;
    for (int y = top; y < bottom; ++y) {
        pixels.insert({x, y});
    }
    return pixels;
}

struct SurfaceTest : testing::Test {
    // Makes a pen of `color`, selects it and returns the previous pen.
    PenHandle UsePen(ColorRef color) {
        pen = surface.CreatePen(DrawingSurface::kSolidPen, 1, color);
        return surface.SelectObject(pen);
    }
    SoftwareSurface surface{20, 30};
    PenHandle pen = 0;
};

TEST_F(SurfaceTest, OnePixelRectangleDarkensOneColumnWithExclusiveEdges) {
    UsePen(kRed);
    EXPECT_TRUE(surface.Rectangle(3, 4, 4, 10));
    EXPECT_EQ(Dark(surface), Column(3, 4, 10));
    EXPECT_EQ(surface.GetPixel(3, 4), kRed);
}

TEST_F(SurfaceTest, WiderRectangleDrawsOnlyItsOutline) {
    UsePen(kRed);
    surface.Rectangle(2, 3, 6, 7);
    std::set<Pixel> expected;
    for (int i = 0; i < 4; ++i) {
        expected.insert({{2 + i, 3}, {2 + i, 6}, {2, 3 + i}, {5, 3 + i}});
    }
    EXPECT_EQ(Dark(surface), expected);
}

TEST_F(SurfaceTest, ClipsToTheRasterAndDrawsNothingForEmptyRectangles) {
    UsePen(kRed);
    surface.Rectangle(5, -100, 6, 2);
    surface.Rectangle(7, 28, 8, INT_MAX);
    surface.Rectangle(-1, 0, 0, 30);
    surface.Rectangle(INT_MIN, INT_MIN, INT_MAX, INT_MAX);
    surface.Rectangle(20, 0, 21, 30);
    std::set<Pixel> expected = Column(5, 0, 2);
    expected.merge(Column(7, 28, 30));
    EXPECT_EQ(Dark(surface), expected);
    surface.Fill(kWhite);
    EXPECT_FALSE(surface.Rectangle(5, 10, 5, 20));
    EXPECT_FALSE(surface.Rectangle(5, 10, 6, 10));
    EXPECT_FALSE(surface.Rectangle(5, 10, 6, 6));
    EXPECT_TRUE(Dark(surface).empty());
}

TEST_F(SurfaceTest, PensAreRestoredAndBadHandlesRefused) {
    const PenHandle stock = UsePen(kRed);
    EXPECT_EQ(stock, SoftwareSurface::kStockBlackPen);
    EXPECT_FALSE(surface.DeleteObject(pen)) << "the current pen";
    EXPECT_EQ(surface.SelectObject(12345), 0u);
    EXPECT_EQ(surface.SelectObject(0), 0u);
    EXPECT_FALSE(surface.DeleteObject(12345));
    EXPECT_EQ(surface.SelectObject(stock), pen);
    EXPECT_TRUE(surface.DeleteObject(pen));
    EXPECT_FALSE(surface.DeleteObject(pen)) << "already deleted";
    EXPECT_EQ(surface.SelectObject(pen), 0u) << "a stale handle";
    EXPECT_FALSE(surface.DeleteObject(stock));
    // A new pen in the freed slot gets a handle of its own.
    EXPECT_NE(surface.CreatePen(DrawingSurface::kSolidPen, 1, kRed), pen);
}

TEST_F(SurfaceTest, MakesOnlySolidThinPensAndAtMostSixteen) {
    EXPECT_EQ(surface.CreatePen(1, 1, kRed), 0u);
    EXPECT_EQ(surface.CreatePen(DrawingSurface::kSolidPen, 2, kRed), 0u);
    std::vector<PenHandle> pens;
    for (std::size_t i = 0; i < SoftwareSurface::kMaxPens; ++i) {
        pens.push_back(surface.CreatePen(DrawingSurface::kSolidPen, 1, kRed));
        EXPECT_NE(pens.back(), 0u);
    }
    EXPECT_EQ(surface.CreatePen(DrawingSurface::kSolidPen, 1, kRed), 0u);
    EXPECT_TRUE(surface.DeleteObject(pens[3]));
    EXPECT_NE(surface.CreatePen(DrawingSurface::kSolidPen, 0, kRed), 0u);
    EXPECT_EQ(surface.PenCount(), SoftwareSurface::kMaxPens);
}

TEST_F(SurfaceTest, FailedTranslationColourDrawsWhite) {
    UsePen(0xFFFFFFFF);
    surface.Rectangle(3, 0, 4, 30);
    surface.SetTextColor(0xFFFFFFFF);
    surface.TextOutA(5, 5, "8", 1);
    EXPECT_TRUE(Dark(surface).empty());
}

TEST_F(SurfaceTest, DigitsAreDistinctAndStayInTheirCellInTheTextColour) {
    surface.SetTextColor(kRed);
    std::set<std::set<Pixel>> shapes;
    for (char c = '0'; c <= '9'; ++c) {
        surface.Fill(kWhite);
        EXPECT_TRUE(surface.TextOutA(4, 10, std::string(1, c) + "9", 1));
        const std::set<Pixel> dark = Dark(surface);
        EXPECT_FALSE(dark.empty()) << c;
        for (const auto& [x, y] : dark) {
            EXPECT_TRUE(x >= 4 && x < 4 + kGlyphWidth && y >= 10 && y < 10 + kGlyphHeight) << c;
            EXPECT_EQ(surface.GetPixel(x, y), kRed);
        }
        shapes.insert(dark);
    }
    EXPECT_EQ(shapes.size(), 10u);
}

TEST_F(SurfaceTest, TextLeavesOtherPixelsAndSkipsUnknownCharacters) {
    UsePen(kRed);
    surface.Rectangle(0, 0, 20, 30);
    const std::set<Pixel> frame = Dark(surface);
    surface.SetTextColor(0x00FF0000);
    surface.TextOutA(2, 2, "x\xB9 ", 3);
    surface.TextOutA(2, 2, "1", -1);
    EXPECT_EQ(Dark(surface), frame);
    surface.TextOutA(2, 2, "11", 2);
    surface.TextOutA(-3, 25, "8", 1);  // partly outside: clipped
    EXPECT_EQ(surface.GetPixel(2 + 2, 2), 0x00FF0000u) << "first glyph's top";
    EXPECT_EQ(surface.GetPixel(2 + kCellWidth + 2, 2), 0x00FF0000u) << "second cell";
    EXPECT_EQ(surface.GetPixel(-1, 25), SoftwareSurface::kInvalidColor);
}

TEST(SurfaceColorTranslation, DirectColoursPassAndSystemColoursComeFromTheClassicTable) {
    SoftwareSurface surface(1, 1);
    struct Row {
        OleColor color;
        std::optional<ColorRef> expected;
    };
    for (const Row& row :
         {Row{0x000000FF, 0x000000FF}, Row{0x00FFFFFF, 0x00FFFFFF}, Row{0x80000008, 0x00000000},
          Row{0x80000005, 0x00FFFFFF}, Row{0x8000000F, 0x00C8D0D4}, Row{0x8000001E, 0x00C8D0D4},
          Row{0x80000019, std::nullopt}, Row{0x8000001F, std::nullopt},
          Row{0x80000108, std::nullopt}, Row{0x01000000, std::nullopt},
          Row{0xFFFFFFFF, std::nullopt}}) {
        ColorRef result = 0x12345678;
        const std::int32_t status = surface.OleTranslateColor(row.color, 0, &result);
        EXPECT_EQ(status == 0, row.expected.has_value()) << std::hex << row.color;
        EXPECT_EQ(result, row.expected.value_or(0x12345678)) << std::hex << row.color;
        // Hosts that show the colour (a property editor's swatch) translate it the same way.
        EXPECT_EQ(TranslateColor(row.color), row.expected) << std::hex << row.color;
    }
}

}  // namespace
}  // namespace varnholt::raster
