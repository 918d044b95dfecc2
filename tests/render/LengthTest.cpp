#include "render/Length.h"

#include <gtest/gtest.h>

namespace varnholt::render {
namespace {

// Whole inches, points and picas come out exact; junk of any kind is refused, never thrown.
TEST(Length, ReadsUnitsAndRefusesJunk) {
    struct Row {
        const char* text;
        double mm;  // < 0: refused
    };
    for (const Row& row :
         {Row{"1in", 25.4},    Row{"72pt", 25.4}, Row{"6pc", 25.4},     Row{"2.54cm", 25.4},
          Row{"25.4mm", 25.4}, Row{"72", 25.4},   Row{"+0.72e2", 25.4}, Row{"0", 0},
          Row{"-1mm", -1},     Row{"", -2},       Row{"mm", -2},        Row{"1 mm", -2},
          Row{"1MM", -2},      Row{"1e", -2},     Row{"--1", -2},       Row{"0x10", -2},
          Row{"inf", -2},      Row{"nan", -2},    Row{"1e400", -2},     Row{"1e307in", -2},
          Row{"1.5.5", -2},    Row{"１mm", -2}}) {
        const Result<double> mm = ParseLengthMm(row.text, kPoint);
        if (row.mm < -1.5) {
            EXPECT_FALSE(mm) << row.text << " = " << *mm;
            EXPECT_NE(mm.Error().find(std::string("\"") + row.text + "\""), std::string::npos)
                << mm.Error();
        } else {
            ASSERT_TRUE(mm) << row.text << ": " << mm.Error();
            EXPECT_EQ(*mm, row.mm) << row.text;
        }
    }
}

TEST(Length, ReadsABarWidthReductionInALengthOrInDots) {
    using Unit = BarWidthReduction::Unit;
    struct Row {
        const char* text;
        double amount;  // < 0: refused
        Unit unit = Unit::Millimetres;
    };
    for (const Row& row : {Row{"0.02", 0.02}, Row{"0.02mm", 0.02}, Row{"0.001in", 0.0254},
                           Row{"1dot", 1, Unit::Dots}, Row{"2dots", 2, Unit::Dots}, Row{"", -1},
                           Row{"dot", -1}, Row{"1 dot", -1}, Row{"1dotmm", -1}, Row{"x", -1}}) {
        const std::optional<BarWidthReduction> reduction = ParseBarWidthReduction(row.text);
        if (row.amount < 0) {
            EXPECT_FALSE(reduction) << row.text;
            continue;
        }
        ASSERT_TRUE(reduction) << row.text;
        EXPECT_DOUBLE_EQ(reduction->amount, row.amount) << row.text;
        EXPECT_EQ(reduction->unit, row.unit) << row.text;
    }
}

}  // namespace
}  // namespace varnholt::render
