// A sheet's symbols paint each character from a recorded outline (DrawStamped); they must
// look as Draw makes them, digits, indicators, colours and all.

#include <cairo.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "render/Drawing.h"
#include "render/GlyphStamps.h"
#include "render/Layout.h"
#include "render/PrintSize.h"
#include "tests/support/CaseName.h"

namespace varnholt::render {
namespace {

// The pixels of `layout` drawn at 600 dpi, as `draw` puts it on a page.
template <class DrawFunction>
std::vector<std::uint32_t> Pixels(const Layout& layout, DrawFunction draw) {
    constexpr double kPixelsPerMm = 600.0 / kMmPerInch;
    const int width = static_cast<int>(layout.widthMm * kPixelsPerMm) + 1;
    const int height = static_cast<int>(layout.heightMm * kPixelsPerMm) + 1;
    std::unique_ptr<cairo_surface_t, decltype(&cairo_surface_destroy)> surface(
        cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height), cairo_surface_destroy);
    cairo_t* cr = cairo_create(surface.get());
    cairo_scale(cr, kPixelsPerMm, kPixelsPerMm);
    draw(cr);
    cairo_destroy(cr);
    cairo_surface_flush(surface.get());
    const auto* data =
        reinterpret_cast<const std::uint32_t*>(cairo_image_surface_get_data(surface.get()));
    return {data, data + width * height};
}

struct Row {
    const char* name;
    const char* number;
    std::optional<Symbology> symbology;
    bool marginIndicators;
    Rgb foreground;
};

class StampedSymbol : public testing::TestWithParam<Row> {};

TEST_P(StampedSymbol, PaintsWhatDrawPaints) {
    const Row& row = GetParam();
    Options options;
    options.symbology = row.symbology;
    options.marginIndicators = row.marginIndicators;
    options.foreground = row.foreground;
    const Result<Layout> layout = LayOut(row.number, options);
    ASSERT_TRUE(layout) << layout.Error();
    GlyphStamps stamps;
    const auto drawn = Pixels(*layout, [&](cairo_t* cr) { Draw(cr, *layout); });
    // Twice with the same stamps: the second paints them from what the first recorded.
    for (int time = 0; time < 2; ++time) {
        const auto stamped =
            Pixels(*layout, [&](cairo_t* cr) { DrawStamped(cr, *layout, stamps); });
        ASSERT_EQ(stamped.size(), drawn.size());
        // Anti-aliased edges differ by up to a tenth of full ink (the outline is filled through
        // a pattern); a glyph misplaced by a pixel, another glyph or colour differ by far more.
        int worst = 0;
        for (std::size_t i = 0; i < drawn.size(); ++i) {
            for (int shift = 0; shift < 32; shift += 8) {
                const int a = static_cast<int>((stamped[i] >> shift) & 0xFFU);
                const int b = static_cast<int>((drawn[i] >> shift) & 0xFFU);
                worst = std::max(worst, std::abs(a - b));
            }
        }
        EXPECT_LE(worst, 51) << "round " << time;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Family, StampedSymbol,
    testing::Values(Row{"Ean13", "5400101109971", {}, false, kBlack},
                    Row{"Ean13WithEan5AndIndicator", "9780306406157+51234", {}, true, kBlack},
                    Row{"UpcAInBlue", "036000291452", Symbology::UpcA, false, {0, 0, 160}},
                    Row{"UpcEWithEan2", "01234565+12", Symbology::UpcE, false, kBlack},
                    Row{"Ean8WithIndicators", "96385074", {}, true, kBlack}),
    test::CaseName{});

}  // namespace
}  // namespace varnholt::render
