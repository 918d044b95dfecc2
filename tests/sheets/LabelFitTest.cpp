#include "sheets/LabelFit.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace varnholt::sheets {
namespace {

// A symbol 113 modules wide and 80 tall, about an EAN-13 with its quiet zones; the expected
// X-dimensions are the label's room over those modules, worked out by hand.
constexpr SymbolExtent kSymbol{113.0, 0.0, 80.0};

TEST(LabelFit, ChoosesTheTargetOrTheLargestModuleThatFitsOrSaysWhichLabelItNeeds) {
    struct Row {
        const char* name;
        SymbolExtent extent;
        LabelRoom room;
        std::optional<double> requested;
        std::optional<double> dpi;
        double expected;      // mm; 0 when refused
        const char* refusal;  // part of the message when refused
        double target = 0.33;
    };
    const Row rows[] = {
        {"room to spare stops at the target", kSymbol, {100, 100, 0}, {}, {}, 0.33, nullptr},
        {"a larger target, the height limits: 38.1 / 80",
         kSymbol,
         {63.5, 38.1, 0},
         {},
         {},
         0.476,
         nullptr,
         0.5},
        {"the height limits: 24 / 80", kSymbol, {63.5, 24, 0}, {}, {}, 0.3, nullptr},
        {"the width limits: 30 / 113", kSymbol, {30, 100, 0}, {}, {}, 0.265, nullptr},
        {"a margin on each side: (26 - 2) / 80", kSymbol, {63.5, 26, 1}, {}, {}, 0.3, nullptr},
        {"a fixed part: (13 - 10) / 10 within 60 / 113",
         {113, 10, 10},
         {60, 13, 0},
         {},
         {},
         0.3,
         nullptr},
        {"whole dots, no more than the target comes to: 4 of 1/300 in",
         kSymbol,
         {63.5, 38.1, 0},
         {},
         300.0,
         4 * 25.4 / 300,
         nullptr},
        {"whole dots: 3 of 1/300 in for 24 / 80 are under 80 %, so 4 are named",
         kSymbol,
         {63.5, 24, 0},
         {},
         300.0,
         0,
         "at 0.339 mm (103 %)"},
        {"the size asked, when it fits", kSymbol, {63.5, 38.1, 0}, 0.33, {}, 0.33, nullptr},
        {"the size asked, snapped to dots",
         kSymbol,
         {63.5, 38.1, 0},
         0.33,
         300.0,
         4 * 25.4 / 300,
         nullptr},
        {"the size asked, too large",
         kSymbol,
         {63.5, 38.1, 0},
         0.5,
         {},
         0,
         "at 0.5 mm (152 %) the symbol needs a label of at least 56.5 x 40 mm"},
        {"even 80 % too large",
         kSymbol,
         {30, 20, 0},
         {},
         {},
         0,
         "at 0.264 mm (80 %) the symbol needs a label of at least 29.832 x 21.12 mm"},
        {"even 80 % too large, margins counted",
         kSymbol,
         {31, 22, 1.5},
         {},
         {},
         0,
         "at least 32.832 x 24.12 mm"},
        {"at 400 dpi no fewer than 5 dots make 80 %",
         kSymbol,
         {30, 21.1, 0},
         {},
         400.0,
         0,
         "at 0.318 mm (96 %) the symbol needs a label of at least 35.877 x 25.4 mm"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const Result<double> x =
            FitModule(row.extent, row.room, row.requested, row.dpi, row.target);
        if (row.refusal == nullptr) {
            ASSERT_TRUE(x) << x.Error();
            EXPECT_NEAR(*x, row.expected, 1e-9);
        } else {
            ASSERT_FALSE(x);
            EXPECT_EQ(x.Kind(), ErrorKind::Usage);
            EXPECT_NE(x.Error().find(row.refusal), std::string::npos) << x.Error();
        }
    }
}

}  // namespace
}  // namespace varnholt::sheets
