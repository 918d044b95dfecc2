// The PNG's pixels are those Cairo gives the whole symbol without anti-aliasing (DrawInk, as
// the PDF and EPS writers draw it), however the writer comes by them: over the family and its
// add-ons, resolutions, module widths, margins, indicators and bar width reductions.

#include <cairo.h>
#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "render/Drawing.h"
#include "render/FileFormat.h"
#include "render/Layout.h"
#include "render/PrintSize.h"
#include "tests/render/Rasterizer.h"

namespace varnholt::render {
namespace {

// Ink (1) or paper (0) of each pixel, row by row, as Cairo fills the layout's ink.
std::vector<int> CairoInk(const Layout& layout) {
    const int width = layout.WidthDots();
    const int height = layout.HeightDots();
    std::unique_ptr<cairo_surface_t, decltype(&cairo_surface_destroy)> surface(
        cairo_image_surface_create(CAIRO_FORMAT_A8, width, height), cairo_surface_destroy);
    cairo_t* cr = cairo_create(surface.get());
    const double pixelsPerMm = layout.dpi / kMmPerInch;
    cairo_scale(cr, pixelsPerMm, pixelsPerMm);
    cairo_set_antialias(cr, CAIRO_ANTIALIAS_NONE);
    DrawInk(cr, layout);
    cairo_destroy(cr);
    cairo_surface_flush(surface.get());
    const unsigned char* data = cairo_image_surface_get_data(surface.get());
    const int stride = cairo_image_surface_get_stride(surface.get());
    std::vector<int> ink;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            ink.push_back(data[y * stride + x] >= 128 ? 1 : 0);
        }
    }
    return ink;
}

struct Member {
    const char* number;
    std::optional<Symbology> symbology;
};

struct Variant {
    const char* name;
    double xDimensionMm;
    bool quietZones;
    bool marginIndicators;
    double reductionDots;
};

TEST(PngPixels, AreCairosOfTheWholeSymbol) {
    const Member members[] = {
        {"5400101109971", {}},
        {"96385074", {}},
        {"9780306406157+51234", {}},
        {"4006381333931+12", {}},
        {"036000291452+51234", Symbology::UpcA},
        {"01234565+12", Symbology::UpcE},
    };
    const Variant variants[] = {
        {"nominal", 0.33, true, false, 0},
        {"small, indicators", 0.264, true, true, 0},
        {"large, reduced", 0.66, true, false, 1},
        {"odd size, no margins", 0.37, false, false, 0},
        {"indicators, reduced by 2 dots", 0.45, true, true, 2},
    };
    for (const double dpi : {72.0, 150.0, 203.0, 300.0, 600.0}) {
        for (const Variant& variant : variants) {
            for (const Member& member : members) {
                Options options;
                options.symbology = member.symbology;
                options.dpi = dpi;
                options.xDimensionMm = variant.xDimensionMm;
                options.quietZones = variant.quietZones;
                options.marginIndicators = variant.marginIndicators;
                options.barWidthReduction = {variant.reductionDots, BarWidthReduction::Unit::Dots};
                const Result<Layout> layout = LayOut(member.number, options);
                if (!layout) {
                    continue;  // a reduction that leaves nothing of a bar at a coarse dpi
                }
                const std::string name = std::string(member.number) + ", " + variant.name + ", " +
                                         std::to_string(static_cast<int>(dpi)) + " dpi";
                const test::PngPicture png = test::ReadPng(*EncodePng(*layout));
                ASSERT_EQ(png.image.width, layout->WidthDots()) << name;
                ASSERT_EQ(png.image.height, layout->HeightDots()) << name;
                const std::vector<int> expected = CairoInk(*layout);
                int differing = 0;
                for (int y = 0; y < png.image.height; ++y) {
                    for (int x = 0; x < png.image.width; ++x) {
                        const int ink = png.image.At(x, y) < 128 ? 1 : 0;
                        differing +=
                            ink != expected[static_cast<std::size_t>(y * png.image.width + x)];
                    }
                }
                EXPECT_EQ(differing, 0) << name;
            }
        }
    }
}

}  // namespace
}  // namespace varnholt::render
