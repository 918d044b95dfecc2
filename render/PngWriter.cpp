// PNG through libpng from Cairo's pixels: Cairo's own PNG writer stores no resolution, and a
// PNG without one prints at whatever size the printing program guesses.
//
// A symbol has two colours, so the image is one bit a pixel, as label printers print it:
// Cairo draws the ink's coverage, a byte a pixel, which is packed to a bit a pixel, and
// libpng writes that as grey for black on white and through a two-colour palette otherwise.

#include <cairo.h>
#include <png.h>
#include <zlib.h>

#include <cmath>
#include <csetjmp>
#include <cstdint>
#include <memory>
#include <vector>

#include "render/Drawing.h"
#include "render/FileFormat.h"
#include "render/PrintSize.h"

namespace varnholt::render {
namespace {

// Larger images are refused rather than allocated: 64 million pixels is a metre-tall symbol
// at 600 dpi.
constexpr long long kMostPixels = 64LL << 20;
constexpr double kMetresPerInch = 0.0254;

using Surface = std::unique_ptr<cairo_surface_t, decltype(&cairo_surface_destroy)>;

// A pixel at least half covered by ink is ink; the bars cover theirs wholly. Eight pixels
// become a byte at once, the first in bit 0 (the PNG writer is told so): each one's top bit
// is gathered into the top byte by one multiplication. The coverage's rows are padded to
// whole eights of zeros. (Drawing a bit a pixel directly is slower: Cairo has no fast paths
// for it.)
std::vector<std::uint8_t> PackBits(const std::vector<unsigned char>& coverage, int width,
                                   int height, int stride) {
    const auto rowBytes = static_cast<std::size_t>((width + 7) / 8);
    std::vector<std::uint8_t> bits(rowBytes * static_cast<std::size_t>(height));
    std::uint8_t* out = bits.data();
    for (int y = 0; y < height; ++y) {
        const unsigned char* row = coverage.data() + static_cast<std::ptrdiff_t>(y) * stride;
        for (int x = 0; x < width; x += 8) {
            std::uint64_t tops = 0;
            for (int k = 0; k < 8; ++k) {
                tops |= static_cast<std::uint64_t>(row[x + k] >> 7) << (8 * k);
            }
            *out++ = static_cast<std::uint8_t>((tops * 0x0102040810204080ULL) >> 56);
        }
    }
    return bits;
}

void Append(png_structp png, png_bytep data, png_size_t length) {
    static_cast<std::string*>(png_get_io_ptr(png))
        ->append(reinterpret_cast<const char*>(data), length);
}

// How the mask's two values, no ink and ink, are stored.
void SetColours(png_structp png, png_infop info, const Layout& layout) {
    const auto width = static_cast<png_uint_32>(layout.WidthDots());
    const auto height = static_cast<png_uint_32>(layout.HeightDots());
    if (!layout.transparentBackground && layout.foreground == kBlack &&
        layout.background == kWhite) {
        png_set_IHDR(png, info, width, height, 1, PNG_COLOR_TYPE_GRAY, PNG_INTERLACE_NONE,
                     PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
        png_set_invert_mono(png);  // ink is 1 in the mask and black is 0 in grey
        return;
    }
    png_set_IHDR(png, info, width, height, 1, PNG_COLOR_TYPE_PALETTE, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    const auto entry = [](Rgb c) { return png_color{c.red, c.green, c.blue}; };
    png_color palette[2] = {entry(layout.background), entry(layout.foreground)};
    png_set_PLTE(png, info, palette, 2);
    if (layout.transparentBackground) {
        png_byte alpha[1] = {0};
        png_set_tRNS(png, info, alpha, 1, nullptr);
    }
}

// libpng reports failure by a long jump back here; everything with a destructor is made
// before the jump point.
bool WritePng(const Layout& layout, const std::vector<png_bytep>& rows, std::string& out) {
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    if (png == nullptr) {
        return false;
    }
    png_infop info = png_create_info_struct(png);
    if (info == nullptr || setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        return false;
    }
    png_set_write_fn(png, &out, Append, nullptr);
    SetColours(png, info, layout);
    const auto perMetre = static_cast<png_uint_32>(std::lround(layout.dpi / kMetresPerInch));
    png_set_pHYs(png, info, perMetre, perMetre, PNG_RESOLUTION_METER);
    // Bars are columns: each row below the first repeats the one above it, which the Up
    // filter turns into zeros, and run-length matching compresses those runs at a fraction
    // of the usual search's cost. Trying every filter on every row would cost more than the
    // rest of the work together.
    png_set_filter(png, PNG_FILTER_TYPE_BASE, PNG_FILTER_UP);
    png_set_compression_strategy(png, Z_RLE);
    png_write_info(png, info);
    png_set_packswap(png);  // each byte's first pixel is in bit 0
    png_write_image(png, const_cast<png_bytepp>(rows.data()));
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return true;
}

}  // namespace

Result<std::string> EncodePng(const Layout& layout) {
    if (layout.dpi <= 0.0) {
        return Result<std::string>::Failure(ErrorKind::Usage,
                                            "a PNG is made at a resolution: give one (dpi)");
    }
    const int width = layout.WidthDots();
    const int height = layout.HeightDots();
    if (static_cast<long long>(width) * height > kMostPixels) {
        return Result<std::string>::Failure(
            ErrorKind::Usage, "the image would have " + std::to_string(width) + " x " +
                                  std::to_string(height) + " pixels; at most " +
                                  std::to_string(kMostPixels) + " are made");
    }
    // The coverage is drawn into memory kept from one image to the next on this thread: a
    // batch makes thousands of images of one size, and fresh pages for each, faulted in and
    // unmapped again, cost more than drawing them.
    thread_local std::vector<unsigned char> coverage;
    const int stride = (width + 7) / 8 * 8;
    coverage.assign(static_cast<std::size_t>(stride) * static_cast<std::size_t>(height), 0);
    Surface mask(cairo_image_surface_create_for_data(coverage.data(), CAIRO_FORMAT_A8, width,
                                                     height, stride),
                 cairo_surface_destroy);
    if (cairo_surface_status(mask.get()) != CAIRO_STATUS_SUCCESS) {
        return Result<std::string>::Failure(
            ErrorKind::Output,
            "no memory for a " + std::to_string(width) + " x " + std::to_string(height) + " image");
    }
    {
        std::unique_ptr<cairo_t, decltype(&cairo_destroy)> cr(cairo_create(mask.get()),
                                                              cairo_destroy);
        const double pixelsPerMm = layout.dpi / kMmPerInch;
        cairo_scale(cr.get(), pixelsPerMm, pixelsPerMm);
        // Each pixel becomes ink or paper, so shades at the digits' edges would be lost.
        cairo_set_antialias(cr.get(), CAIRO_ANTIALIAS_NONE);
        DrawInk(cr.get(), layout);
    }
    cairo_surface_flush(mask.get());

    const std::vector<std::uint8_t> bits = PackBits(coverage, width, height, stride);
    const auto rowBytes = static_cast<std::size_t>((width + 7) / 8);
    std::vector<png_bytep> rows(static_cast<std::size_t>(height));
    for (std::size_t y = 0; y < rows.size(); ++y) {
        rows[y] = const_cast<png_bytep>(bits.data() + y * rowBytes);
    }
    std::string bytes;
    if (!WritePng(layout, rows, bytes)) {
        return Result<std::string>::Failure(ErrorKind::Output, "the PNG could not be written");
    }
    return bytes;
}

}  // namespace varnholt::render
