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

}  // namespace
}  // namespace varnholt::render
