#include "render/Color.h"

#include <gtest/gtest.h>

#include <string>

#include "tests/support/CaseName.h"

namespace varnholt::render {
namespace {

TEST(Color, ParsesHexAndNames) {
    struct Row {
        const char* text;
        std::optional<Rgb> color;
    };
    for (const Row& row :
         {Row{"#000000", kBlack}, Row{"ffffff", kWhite}, Row{"#1a2B3c", Rgb{0x1a, 0x2b, 0x3c}},
          Row{"#f00", Rgb{255, 0, 0}}, Row{"navy", Rgb{0, 0, 128}}, Row{"white", kWhite},
          Row{"", std::nullopt}, Row{"#12345", std::nullopt}, Row{"#1234567", std::nullopt},
          Row{"#gg0000", std::nullopt}, Row{"#+10000", std::nullopt}, Row{"Black", std::nullopt},
          Row{"#", std::nullopt}}) {
        EXPECT_EQ(ParseColor(row.text), row.color) << row.text;
    }
    EXPECT_EQ(Rgb({0x1a, 0x2b, 0x3c}).Hex(), "#1a2b3c");
}

struct ContrastRow {
    std::string name;
    Rgb bars;
    Rgb background;
    std::string warning;  // a part of it; empty: none
};

class ContrastOf : public testing::TestWithParam<ContrastRow> {};

TEST_P(ContrastOf, WarnsWhereScannersFail) {
    const ContrastRow& row = GetParam();
    const std::string warning = ContrastWarning(row.bars, row.background);
    if (row.warning.empty()) {
        EXPECT_EQ(warning, "");
    } else {
        EXPECT_NE(warning.find(row.warning), std::string::npos) << warning;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Colours, ContrastOf,
    testing::Values(ContrastRow{"BlackOnWhite", kBlack, kWhite, ""},
                    ContrastRow{"NavyOnWhite", {0, 0, 128}, kWhite, ""},
                    ContrastRow{"DarkGreenOnWhite", {0, 100, 0}, kWhite, ""},
                    ContrastRow{"BlackOnYellow", kBlack, {255, 255, 0}, ""},
                    ContrastRow{"WhiteOnBlack", kWhite, kBlack, "not clearly darker"},
                    ContrastRow{"LightGreyOnWhite", {200, 200, 200}, kWhite, "not clearly darker"},
                    ContrastRow{"SameColour", {90, 90, 90}, {90, 90, 90}, "not clearly darker"},
                    ContrastRow{"RedOnWhite", {255, 0, 0}, kWhite, "red light"},
                    ContrastRow{"DarkRedOnWhite", {200, 0, 0}, kWhite, "red light"},
                    ContrastRow{"BlackOnRed", kBlack, {255, 0, 0}, ""}),
    test::CaseName{});

}  // namespace
}  // namespace varnholt::render
