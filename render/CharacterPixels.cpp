#include "render/CharacterPixels.h"

#include <cairo.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <mutex>
#include <tuple>

#include "render/Drawing.h"
#include "render/Glyphs.h"

namespace varnholt::render {
namespace {

// A character drawn elsewhere, or at another size, is another picture.
using Key = std::tuple<char, double, double, double, double>;

// Enough for every place of every member of the family at a few sizes.
constexpr std::size_t kMostKept = 4096;

std::shared_ptr<const CharacterPixels> Draw(const PlacedCharacter& placed, double dpi) {
    Path outline;
    AppendPlaced(outline, SymbolGlyphs().Of(placed.character).outline, placed.height, placed.left,
                 placed.top);
    const double pixelsPerMm = dpi / kMmPerInch;
    double minX = 0.0;
    double minY = 0.0;
    double maxX = 0.0;
    double maxY = 0.0;
    bool first = true;
    for (const PathSegment& segment : outline) {
        const int points = segment.kind == PathSegment::Kind::Curve   ? 3
                           : segment.kind == PathSegment::Kind::Close ? 0
                                                                      : 1;
        for (int p = 0; p < points; ++p) {
            const double x = segment.points[static_cast<std::size_t>(2 * p)] * pixelsPerMm;
            const double y = segment.points[static_cast<std::size_t>(2 * p + 1)] * pixelsPerMm;
            minX = first ? x : std::min(minX, x);
            maxX = first ? x : std::max(maxX, x);
            minY = first ? y : std::min(minY, y);
            maxY = first ? y : std::max(maxY, y);
            first = false;
        }
    }
    // A pixel's margin around the control points, which hold the curves. The picture is moved
    // by whole pixels, and not left of or above the image's corner: taking a whole number no
    // larger from each coordinate is exact, so Cairo sees the same points, a whole number of
    // pixels away, as on the whole image.
    auto pixels = std::make_shared<CharacterPixels>();
    pixels->left = std::max(0, static_cast<int>(std::floor(minX)) - 1);
    pixels->top = std::max(0, static_cast<int>(std::floor(minY)) - 1);
    pixels->width = std::max(0, static_cast<int>(std::ceil(maxX)) + 2 - pixels->left);
    pixels->height = std::max(0, static_cast<int>(std::ceil(maxY)) + 2 - pixels->top);
    const int stride = cairo_format_stride_for_width(CAIRO_FORMAT_A8, pixels->width);
    std::vector<unsigned char> coverage(static_cast<std::size_t>(stride) *
                                        static_cast<std::size_t>(pixels->height));
    cairo_surface_t* surface = cairo_image_surface_create_for_data(
        coverage.data(), CAIRO_FORMAT_A8, pixels->width, pixels->height, stride);
    cairo_t* cr = cairo_create(surface);
    const cairo_matrix_t toPixels{pixelsPerMm,
                                  0.0,
                                  0.0,
                                  pixelsPerMm,
                                  -static_cast<double>(pixels->left),
                                  -static_cast<double>(pixels->top)};
    cairo_set_matrix(cr, &toPixels);
    cairo_set_antialias(cr, CAIRO_ANTIALIAS_NONE);
    cairo_set_fill_rule(cr, CAIRO_FILL_RULE_WINDING);
    AppendPath(cr, outline);
    cairo_fill(cr);
    cairo_destroy(cr);
    cairo_surface_flush(surface);
    cairo_surface_destroy(surface);

    pixels->ink.resize(static_cast<std::size_t>(pixels->width) *
                       static_cast<std::size_t>(pixels->height));
    for (int y = 0; y < pixels->height; ++y) {
        const unsigned char* row = coverage.data() + static_cast<std::ptrdiff_t>(y) * stride;
        std::transform(row, row + pixels->width,
                       pixels->ink.begin() + static_cast<std::ptrdiff_t>(y) * pixels->width,
                       [](unsigned char c) { return static_cast<std::uint8_t>(c >> 7); });
    }
    return pixels;
}

}  // namespace

std::shared_ptr<const CharacterPixels> PixelsOf(const PlacedCharacter& placed, double dpi) {
    static std::mutex mutex;
    static std::map<Key, std::shared_ptr<const CharacterPixels>> kept;
    const Key key{placed.character, placed.left, placed.top, placed.height, dpi};
    {
        const std::lock_guard lock(mutex);
        if (const auto found = kept.find(key); found != kept.end()) {
            return found->second;
        }
    }
    // Drawn outside the lock, so that threads meeting a new size draw side by side; two that
    // draw the same character keep the first.
    std::shared_ptr<const CharacterPixels> drawn = Draw(placed, dpi);
    const std::lock_guard lock(mutex);
    if (kept.size() >= kMostKept) {
        return drawn;
    }
    return kept.try_emplace(key, std::move(drawn)).first->second;
}

}  // namespace varnholt::render
