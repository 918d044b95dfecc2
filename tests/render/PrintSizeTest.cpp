#include "render/PrintSize.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

#include "tests/support/CaseName.h"

namespace varnholt::render {
namespace {

struct Row {
    std::string name;
    double xDimensionMm;
    std::optional<double> dpi;
    int dots;            // -1: refused
    std::string report;  // the report, or a part of the refusal
};

class ModuleSizeFor : public testing::TestWithParam<Row> {};

TEST_P(ModuleSizeFor, SnapsToWholeDotsWithinTheRange) {
    const Row& row = GetParam();
    const Result<ModuleSize> size = SizeModule(row.xDimensionMm, row.dpi);
    if (row.dots < 0) {
        ASSERT_FALSE(size);
        EXPECT_NE(size.Error().find(row.report), std::string::npos) << size.Error();
        return;
    }
    ASSERT_TRUE(size) << size.Error();
    EXPECT_EQ(size->dots, row.dots);
    EXPECT_EQ(size->report, row.report);
    const double dotMm = row.dpi ? 25.4 / *row.dpi : 0.0;
    EXPECT_NEAR(size->mm, row.dpi ? row.dots * dotMm : row.xDimensionMm, 1e-12);
    EXPECT_NEAR(size->magnification, size->mm / 0.33, 1e-12);
    EXPECT_GE(size->mm, 0.264 - 1e-9);
    EXPECT_LE(size->mm, 0.660 + 1e-9);
}

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

INSTANTIATE_TEST_SUITE_P(
    Requests, ModuleSizeFor,
    testing::Values(
        Row{"Nominal", 0.33, std::nullopt, 0, "0.33 mm, 100 %"},
        Row{"Smallest", 0.264, std::nullopt, 0, "0.264 mm, 80 %"},
        Row{"Largest", 0.66, std::nullopt, 0, "0.66 mm, 200 %"},
        // 0.33 mm is 2.64 dots of 0.125 mm: three.
        Row{"LabelPrinter203", 0.33, 203.0, 3, "0.33 mm at 203 dpi: 3 dots = 0.375 mm, 114 %"},
        Row{"At300", 0.33, 300.0, 4, "0.33 mm at 300 dpi: 4 dots = 0.339 mm, 103 %"},
        Row{"At600", 0.33, 600.0, 8, "0.33 mm at 600 dpi: 8 dots = 0.339 mm, 103 %"},
        // Six dots at 600 dpi are 0.254 mm, below 80 %: the nearest that fits is seven.
        Row{"NearestIsTooSmall", 0.264, 600.0, 7, "0.264 mm at 600 dpi: 7 dots = 0.296 mm, 90 %"},
        Row{"Largest203", 0.66, 203.0, 5, "0.66 mm at 203 dpi: 5 dots = 0.626 mm, 190 %"},
        // Three dots at 100 dpi are 0.762 mm, above 200 %: the nearest that fits is two.
        Row{"NearestIsTooLarge", 0.66, 100.0, 2, "0.66 mm at 100 dpi: 2 dots = 0.508 mm, 154 %"},
        Row{"OneDotModule", 0.33, 72.0, 1, "0.33 mm at 72 dpi: 1 dot = 0.353 mm, 107 %"},
        Row{"TooSmall", 0.2, std::nullopt, -1,
            "X-dimension 0.2 mm is outside 0.264 to 0.66 mm (80 to 200 % of 0.33 mm)"},
        Row{"TooLarge", 0.7, 300.0, -1, "outside 0.264 to 0.66 mm"},
        Row{"NotANumber", kNaN, std::nullopt, -1, "outside 0.264 to 0.66 mm"},
        // A dot of 0.847 mm is wider than the largest module.
        Row{"NoDotCountFits", 0.33, 30.0, -1, "no whole number of dots makes a module"},
        Row{"ZeroDpi", 0.33, 0.0, -1, "resolution 0 dpi"},
        Row{"NegativeDpi", 0.33, -300.0, -1, "resolution -300 dpi"},
        Row{"InfiniteDpi", 0.33, std::numeric_limits<double>::infinity(), -1, "resolution"}),
    test::CaseName{});

}  // namespace
}  // namespace varnholt::render
