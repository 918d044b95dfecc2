// An EAN/UPC symbol and a GS1 carrier in one picture: the carrier right of the linear
// symbol's quiet zone, the shorter centred on the taller on whole dots, nothing lost.

#include <gtest/gtest.h>

#include <cmath>
#include <optional>
#include <string>

#include "render/FileFormat.h"
#include "render/PairLayout.h"

namespace varnholt::render {
namespace {

Layout LaidOut(std::string_view text, std::optional<DataCarrier> carrier,
               std::optional<double> dpi) {
    Options options;
    options.gs1.carrier = carrier;
    options.dpi = dpi;
    Result<Layout> layout = LayOut(text, options);
    EXPECT_TRUE(layout) << layout.Error();
    return *std::move(layout);
}

TEST(PairLayout, PutsTheCarrierRightOfTheLinearSymbolCentredOnWholeDots) {
    for (const std::optional<double> dpi :
         {std::optional<double>{}, std::optional(300.0), std::optional(203.0)}) {
        SCOPED_TRACE(dpi.value_or(0.0));
        const Layout linear = LaidOut("4006381333931", std::nullopt, dpi);
        const Layout carrier = LaidOut("(01)04006381333931(10)AB-12", DataCarrier::DataMatrix, dpi);
        const Layout pair = Beside(linear, carrier);

        EXPECT_TRUE(pair.pair);
        EXPECT_EQ(pair.number, "4006381333931");
        EXPECT_EQ(pair.data, carrier.data);
        EXPECT_DOUBLE_EQ(pair.widthMm, linear.widthMm + carrier.widthMm);
        EXPECT_DOUBLE_EQ(pair.heightMm, std::max(linear.heightMm, carrier.heightMm));
        ASSERT_EQ(pair.bars.size(), linear.bars.size() + carrier.bars.size());
        ASSERT_EQ(pair.characters.size(), linear.characters.size() + carrier.characters.size());

        // Each symbol moved as a whole: by nothing across for the linear one and by its width
        // for the carrier, and down by the same amount for all of a symbol's marks.
        const auto down = [&](const Layout& alone, std::size_t first) {
            const double dy = pair.bars[first].y - alone.bars[0].y;
            for (std::size_t i = 0; i < alone.bars.size(); ++i) {
                EXPECT_DOUBLE_EQ(pair.bars[first + i].x,
                                 alone.bars[i].x + (first == 0 ? 0.0 : linear.widthMm));
                EXPECT_NEAR(pair.bars[first + i].y - alone.bars[i].y, dy, 1e-9);
            }
            return dy;
        };
        const double linearDown = down(linear, 0);
        const double carrierDown = down(carrier, linear.bars.size());
        EXPECT_NEAR(pair.characters.back().top - carrier.characters.back().top, carrierDown, 1e-9);
        // Centred, the shorter moved and the taller not, to a whole dot at a resolution.
        EXPECT_EQ(std::min(linearDown, carrierDown), 0.0);
        const double dot = dpi ? 25.4 / *dpi : 0.0;
        EXPECT_NEAR(2.0 * (linearDown + carrierDown), std::abs(linear.heightMm - carrier.heightMm),
                    dot + 1e-9);
        if (dpi) {
            const double dots = (linearDown + carrierDown) / dot;
            EXPECT_NEAR(dots, std::round(dots), 1e-9);
            EXPECT_EQ(pair.WidthDots(), linear.WidthDots() + carrier.WidthDots());
        }
    }
}

TEST(PairLayout, SvgIsTitledWithBoth) {
    const Layout pair =
        Beside(LaidOut("4006381333931", std::nullopt, 300.0),
               LaidOut("(01)04006381333931(10)A<B", DataCarrier::DataMatrix, 300.0));
    const Result<std::string> svg = Encode(pair, FileFormat::Svg);
    ASSERT_TRUE(svg) << svg.Error();
    EXPECT_NE(svg->find("<title>4006381333931 (01) 04006381333931 (10) A&lt;B</title>"),
              std::string::npos);
    EXPECT_NE(svg->find("<desc>EAN-13 bar code of 4006381333931 beside a DataMatrix bar code"),
              std::string::npos);
}

}  // namespace
}  // namespace varnholt::render
