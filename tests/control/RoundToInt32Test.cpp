#include "control/RoundToInt32.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <optional>

namespace varnholt {
namespace {

TEST(RoundToInt32, NearestWithTiesToEvenAndNothingOutOfRange) {
    struct Row {
        double value;
        std::optional<std::int32_t> rounded;
    };
    const double belowAHalf = std::nextafter(0.5, 0.0);
    for (const Row& row : {
             Row{0.5, 0},
             Row{1.5, 2},
             Row{2.5, 2},
             Row{65.5, 66},
             Row{66.5, 66},
             Row{-0.5, 0},
             Row{-1.5, -2},
             Row{-2.5, -2},
             Row{belowAHalf, 0},
             Row{80.49999999, 80},
             Row{-80.50000001, -81},
             Row{2147483647.0, 2147483647},
             Row{2147483646.5, 2147483646},
             Row{2147483647.5, std::nullopt},  // the even neighbour is 2^31
             Row{-2147483648.5, -2147483648},
             Row{-2147483649.0, std::nullopt},
             Row{1e300, std::nullopt},
             Row{std::numeric_limits<double>::infinity(), std::nullopt},
             Row{std::numeric_limits<double>::quiet_NaN(), std::nullopt},
         }) {
        EXPECT_EQ(RoundToInt32(row.value), row.rounded) << row.value;
    }
}

}  // namespace
}  // namespace varnholt
