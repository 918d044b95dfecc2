#include <gtest/gtest.h>

#include <algorithm>
#include <limits>
#include <map>
#include <ostream>
#include <set>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "control/Barcode.h"
#include "control/MemoryPropertyStore.h"
#include "model/ModuleSequence.h"
#include "model/Modulo10.h"
#include "raster/DigitFont.h"
#include "tests/support/CaseName.h"
#include "tests/support/RecordingHost.h"

namespace varnholt {
namespace {

using Pixel = std::pair<int, int>;
using Pixels = std::set<Pixel>;

// What a paint should leave dark, as the control's geometry states it.
struct Symbol {
    std::vector<int> guardColumns;
    std::vector<int> dataColumns;
    std::map<int, char> digits;  // text x -> digit

    // Bars from row 4; data bars end 15 rows, guards 7 rows above the bottom; digits at
    // H - 15 in the surface's font.
    Pixels At(int height) const {
        Pixels pixels;
        for (const int x : guardColumns) {
            for (int y = 4; y < height - 7; ++y) {
                pixels.insert({x, y});
            }
        }
        for (const int x : dataColumns) {
            for (int y = 4; y < height - 15; ++y) {
                pixels.insert({x, y});
            }
        }
        for (const auto& [x, digit] : digits) {
            const raster::Glyph& glyph = *raster::GlyphOf(digit);
            for (int row = 0; row < raster::kGlyphHeight; ++row) {
                for (int column = 0; column < raster::kGlyphWidth; ++column) {
                    if (glyph[static_cast<std::size_t>(row)] >> (raster::kGlyphWidth - 1 - column) &
                        1) {
                        pixels.insert({x + column, height - 15 + row});
                    }
                }
            }
        }
        return pixels;
    }
};

// The pixels that are not white, and the colours they have.
Pixels Dark(const raster::SoftwareSurface& surface, std::set<ColorRef>* colors = nullptr) {
    Pixels dark;
    for (int y = 0; y < surface.Height(); ++y) {
        for (int x = 0; x < surface.Width(); ++x) {
            if (const ColorRef c = surface.GetPixel(x, y); c != kWhite) {
                dark.insert({x, y});
                if (colors != nullptr) {
                    colors->insert(c);
                }
            }
        }
    }
    return dark;
}

// The default number 5400101109971 as its figures give it.
const std::vector<int> kAllGuards{15, 17, 61, 63, 107, 109};
const std::vector<int> kDefaultData{19, 23, 24, 26, 29, 30, 31, 33, 36, 37,  38,  41,  42, 45, 49,
                                    50, 52, 54, 55, 58, 59, 65, 66, 69, 70,  72,  73,  74, 77, 79,
                                    80, 81, 83, 86, 87, 88, 90, 93, 97, 100, 101, 104, 105};
const std::map<int, char> kDefaultDigits{{4, '5'},  {20, '4'}, {26, '0'}, {32, '0'}, {38, '1'},
                                         {44, '0'}, {50, '1'}, {67, '1'}, {73, '0'}, {79, '9'},
                                         {85, '9'}, {91, '7'}, {97, '1'}};
const Symbol kDefaultSymbol{kAllGuards, kDefaultData, kDefaultDigits};

// The standard's 95 modules of 5400101109971: guards and the sets A B B A A B, then C.
const std::string kDefaultModules =
    "101"
    "0100011"
    "0100111"
    "0100111"
    "0011001"
    "0001101"
    "0110011"
    "01010"
    "1100110"
    "1110010"
    "1110100"
    "1110100"
    "1000100"
    "1100110"
    "101";

Symbol Replace(Symbol symbol, std::vector<int> removed, std::vector<int> added,
               std::map<int, char> digits) {
    std::erase_if(symbol.dataColumns, [&](int x) { return std::ranges::count(removed, x) > 0; });
    symbol.dataColumns.insert(symbol.dataColumns.end(), added.begin(), added.end());
    for (const auto& [x, digit] : digits) {
        symbol.digits[x] = digit;
    }
    return symbol;
}

struct PaintCase {
    const char* name;
    std::string value;
    float height;
    Symbol symbol;
    // The whole height the symbol is laid out for: H - 15 and H - 7 round half to even, so
    // 80.5 and 81.5 both draw as 81.
    int drawnAs = static_cast<int>(height);
};

std::ostream& operator<<(std::ostream& os, const PaintCase& row) {
    return os << row.name;
}

class BarcodePaintingPixels : public testing::TestWithParam<PaintCase> {};

TEST_P(BarcodePaintingPixels, DarkensExactlyTheSymbolsPixels) {
    const PaintCase& c = GetParam();
    test::RecordingHost host(c.height);
    host.Control().OnNewInstance();
    MemoryPropertyStore store{{"Value", c.value}};
    host.Control().OnLoad(store);
    host.Paint();
    std::set<ColorRef> colors;
    const Pixels expected = c.symbol.At(c.drawnAs);
    EXPECT_EQ(Dark(host.Raster(), &colors), expected);
    if (!expected.empty()) {
        EXPECT_EQ(colors, std::set<ColorRef>{0}) << "window text is black";
    }
    EXPECT_EQ(host.Raster().PenCount(), 0u) << "every pen released";
}

INSTANTIATE_TEST_SUITE_P(
    Values, BarcodePaintingPixels,
    testing::Values(
        PaintCase{"DefaultNumber", "5400101109971", 81, kDefaultSymbol},
        PaintCase{"WrongCheckDigit", "5400101109972", 81,
                  Replace(kDefaultSymbol, {105}, {103}, {{97, '2'}})},
        PaintCase{"FullStopDrawnAsZero", "5400101109.71", 81,
                  Replace(kDefaultSymbol, {90}, {91}, {{85, '0'}})},
        PaintCase{"FourteenCharactersDrawThirteen", "54001011099710", 81, kDefaultSymbol},
        PaintCase{"MillionCharactersDrawThirteen", "5400101109971" + std::string(999987, '8'), 81,
                  kDefaultSymbol},
        PaintCase{"ThreeDigits",
                  "540",
                  81,
                  {{15, 17}, {19, 23, 24, 26, 29, 30, 31}, {{4, '5'}, {20, '4'}, {26, '0'}}}},
        PaintCase{"OneDigit", "7", 81, {{15, 17}, {}, {{4, '7'}}}},
        PaintCase{"TwelveDigits",
                  "540010110997",
                  81,
                  {{15, 17, 61, 63},
                   std::vector<int>(kDefaultData.begin(), kDefaultData.end() - 4),
                   [] {
                       auto digits = kDefaultDigits;
                       digits.erase(97);
                       return digits;
                   }()}},
        PaintCase{"Empty", "", 81, {}}, PaintCase{"Height20", "5400101109971", 20, kDefaultSymbol},
        PaintCase{"HalfPixelRoundsToEvenUp", "5400101109971", 80.5f, kDefaultSymbol, 81},
        PaintCase{"HalfPixelRoundsToEvenDown", "5400101109971", 81.5f, kDefaultSymbol, 81}),
    test::CaseName{});

TEST(BarcodePainting, ColumnsReadAsTheStandardModules) {
    test::RecordingHost host;
    host.Control().OnNewInstance();
    host.Paint();
    std::string modules;
    for (int x = 15; x <= 109; ++x) {
        modules += host.Raster().GetPixel(x, 30) == kWhite ? '0' : '1';
    }
    EXPECT_EQ(modules, kDefaultModules);
}

// What the control paints for a position depends on that digit and, in the left half, on the
// first digit alone. Numbers that between them hold every digit at every position after
// every first digit, with their right check digits, therefore stand for every valid number:
// their columns 15 to 109 must be exactly the dark modules of the number's symbol.
TEST(BarcodePainting, PaintedColumnsAreTheSymbolsDarkModules) {
    test::RecordingHost host;
    host.Control().OnNewInstance();
    std::set<std::tuple<char, int, char>> seen;  // first digit, position, digit
    for (char first = '0'; first <= '9'; ++first) {
        for (int shift = 0; shift < 10; ++shift) {
            std::string number(1, first);
            for (int p = 2; p <= 12; ++p) {
                number += static_cast<char>('0' + (shift + p * 3) % 10);
            }
            number += static_cast<char>('0' + Modulo10().Calculate(number));
            host.Control().Value(number);
            ASSERT_TRUE(host.Control().Valid()) << number;
            const ModuleSequence sequence = ModulesOf(number);
            for (int x = 15; x <= 109; ++x) {
                const bool dark = host.Raster().GetPixel(x, 30) != kWhite;
                EXPECT_EQ(dark, sequence.modules[static_cast<std::size_t>(x - 15)] == '1')
                    << number << " column " << x;
            }
            for (int p = 2; p <= 13; ++p) {
                seen.insert({first, p, number[static_cast<std::size_t>(p - 1)]});
            }
        }
    }
    // Check digits cover only what the bodies give them; every other position all ten.
    EXPECT_GE(seen.size(), 10u * 11u * 10u);
    for (char first = '0'; first <= '9'; ++first) {
        for (int p = 2; p <= 12; ++p) {
            for (char digit = '0'; digit <= '9'; ++digit) {
                EXPECT_TRUE(seen.contains({first, p, digit})) << first << ' ' << p << ' ' << digit;
            }
        }
    }
}

TEST(BarcodePainting, DrawsInTheForeColor) {
    test::RecordingHost host;
    host.Control().OnNewInstance();
    host.Control().ForeColor(0x000000FF);
    std::set<ColorRef> colors;
    EXPECT_EQ(Dark(host.Raster(), &colors), kDefaultSymbol.At(81));
    EXPECT_EQ(colors, std::set<ColorRef>{0x000000FF});
}

TEST(BarcodePainting, WithoutPensOnlyTheDigitsAreWritten) {
    test::RecordingHost host;
    host.Control().OnNewInstance();
    host.Recorder().RefusePens();
    host.Paint();
    EXPECT_EQ(Dark(host.Raster()), (Symbol{{}, {}, kDefaultDigits}.At(81)));
    EXPECT_TRUE(host.Control().Valid());
}

TEST(BarcodePainting, EachStepMakesSelectsRestoresAndDeletesItsOwnPen) {
    test::RecordingHost host;
    host.Control().OnNewInstance();
    host.Control().Value("7");
    const std::vector<std::string>& log = host.Recorder().Log();
    ASSERT_EQ(log.size(), 10u);
    const std::string pen = log[1].substr(log[1].find("->") + 3);
    const std::vector<std::string> expected{
        "OleTranslateColor 2147483656",
        "CreatePen 0 1 0 -> " + pen,
        "SelectObject " + pen + " -> 255",
        "Rectangle 15 4 16 74",
        "Rectangle 17 4 18 74",
        "SelectObject 255 -> " + pen,
        "DeleteObject " + pen + " -> 1",
        "OleTranslateColor 2147483656",
        "SetTextColor 0",
        "TextOutA 4 66 7 1",
    };
    EXPECT_EQ(log, expected);
}

TEST(BarcodePainting, FailuresSkipOnlyTheirStep) {
    // No height: nothing can be drawn, yet every derived property is computed and Change
    // raised; no pen is lost.
    for (const float height : {std::numeric_limits<float>::quiet_NaN(),
                               std::numeric_limits<float>::infinity(), 3e9f, -3e9f}) {
        test::RecordingHost host;
        host.ReportHeight(height);
        host.Control().OnNewInstance();
        host.Paint();
        EXPECT_TRUE(Dark(host.Raster()).empty()) << height;
        EXPECT_EQ(host.Raster().PenCount(), 0u);
        EXPECT_TRUE(host.Control().Valid());
        EXPECT_EQ(host.Control().Country(), "BE-LU");
        EXPECT_EQ(host.Count("RaiseEvent 1"), 1);
    }
    // A surface that cannot be fetched fails every drawing step; events and state go on.
    test::RecordingHost host;
    host.Control().OnNewInstance();
    host.Fail("Surface");
    host.Fail("SetEnabledState");
    host.Paint();
    EXPECT_TRUE(Dark(host.Raster()).empty());
    EXPECT_TRUE(host.Control().Valid());
    EXPECT_EQ(host.Count("RaiseEvent 1"), 1);
}

}  // namespace
}  // namespace varnholt
