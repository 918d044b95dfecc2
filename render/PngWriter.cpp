// PNG through libpng from Cairo's pixels: Cairo's own PNG writer stores no resolution, and a
// PNG without one prints at whatever size the printing program guesses.

#include <cairo.h>
#include <png.h>

#include <cmath>
#include <csetjmp>
#include <cstdint>
#include <memory>
#include <vector>

#include "render/Drawing.h"
#include "render/Format.h"
#include "render/PrintSize.h"

namespace varnholt::render {
namespace {

// Larger images are refused rather than allocated: 64 million pixels is a metre-tall symbol
// at 600 dpi.
constexpr long long kMostPixels = 64LL << 20;
constexpr double kMetresPerInch = 0.0254;

enum class Channels { Grey, Rgb, Rgba };

struct Image {
    int width = 0;
    int height = 0;
    Channels channels = Channels::Grey;
    std::vector<std::uint8_t> pixels;  // rows of 1, 3 or 4 bytes a pixel
};

int BytesPerPixel(Channels channels) {
    return channels == Channels::Grey ? 1 : channels == Channels::Rgb ? 3 : 4;
}

// Cairo's premultiplied native-endian ARGB turned into the PNG's channels.
Image Convert(cairo_surface_t* surface, Channels channels) {
    Image image;
    image.width = cairo_image_surface_get_width(surface);
    image.height = cairo_image_surface_get_height(surface);
    image.channels = channels;
    const int stride = cairo_image_surface_get_stride(surface);
    const unsigned char* data = cairo_image_surface_get_data(surface);
    image.pixels.reserve(static_cast<std::size_t>(image.width) *
                         static_cast<std::size_t>(image.height) *
                         static_cast<std::size_t>(BytesPerPixel(channels)));
    for (int y = 0; y < image.height; ++y) {
        const auto* row =
            reinterpret_cast<const std::uint32_t*>(data + static_cast<std::ptrdiff_t>(y) * stride);
        for (int x = 0; x < image.width; ++x) {
            const std::uint32_t argb = row[x];
            const std::uint32_t a = argb >> 24;
            const auto unpremultiply = [a](std::uint32_t c) {
                return static_cast<std::uint8_t>(a == 0 ? 0 : (c * 255 + a / 2) / a);
            };
            const std::uint8_t r = unpremultiply(argb >> 16 & 0xFF);
            const std::uint8_t g = unpremultiply(argb >> 8 & 0xFF);
            const std::uint8_t b = unpremultiply(argb & 0xFF);
            switch (channels) {
                case Channels::Grey:
                    // Grey colours only: the three channels agree.
                    image.pixels.push_back(g);
                    break;
                case Channels::Rgb:
                    image.pixels.insert(image.pixels.end(), {r, g, b});
                    break;
                case Channels::Rgba:
                    image.pixels.insert(image.pixels.end(),
                                        {r, g, b, static_cast<std::uint8_t>(a)});
                    break;
            }
        }
    }
    return image;
}

void Append(png_structp png, png_bytep data, png_size_t length) {
    static_cast<std::string*>(png_get_io_ptr(png))
        ->append(reinterpret_cast<const char*>(data), length);
}

// libpng reports failure by a long jump back here; everything with a destructor is made
// before the jump point.
bool WritePng(const Image& image, double dpi, std::string& out,
              const std::vector<png_bytep>& rows) {
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
    const int colorType = image.channels == Channels::Grey  ? PNG_COLOR_TYPE_GRAY
                          : image.channels == Channels::Rgb ? PNG_COLOR_TYPE_RGB
                                                            : PNG_COLOR_TYPE_RGB_ALPHA;
    png_set_IHDR(png, info, static_cast<png_uint_32>(image.width),
                 static_cast<png_uint_32>(image.height), 8, colorType, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    const auto perMetre = static_cast<png_uint_32>(std::lround(dpi / kMetresPerInch));
    png_set_pHYs(png, info, perMetre, perMetre, PNG_RESOLUTION_METER);
    png_write_info(png, info);
    png_write_image(png, const_cast<png_bytepp>(rows.data()));
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return true;
}

}  // namespace

Result<std::string> EncodePng(const Layout& layout) {
    if (layout.dpi <= 0.0) {
        return Result<std::string>::Failure("a PNG is made at a resolution: give one (dpi)");
    }
    const int width = layout.WidthDots();
    const int height = layout.HeightDots();
    if (static_cast<long long>(width) * height > kMostPixels) {
        return Result<std::string>::Failure("the image would have " + std::to_string(width) +
                                            " x " + std::to_string(height) + " pixels; at most " +
                                            std::to_string(kMostPixels) + " are made");
    }
    std::unique_ptr<cairo_surface_t, decltype(&cairo_surface_destroy)> surface(
        cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height), cairo_surface_destroy);
    if (cairo_surface_status(surface.get()) != CAIRO_STATUS_SUCCESS) {
        return Result<std::string>::Failure("no memory for a " + std::to_string(width) + " x " +
                                            std::to_string(height) + " image");
    }
    {
        std::unique_ptr<cairo_t, decltype(&cairo_destroy)> cr(cairo_create(surface.get()),
                                                              cairo_destroy);
        const double pixelsPerMm = layout.dpi / kMmPerInch;
        cairo_scale(cr.get(), pixelsPerMm, pixelsPerMm);
        Draw(cr.get(), layout);
    }
    cairo_surface_flush(surface.get());

    const Channels channels = layout.transparentBackground ? Channels::Rgba
                              : layout.foreground.IsGrey() && layout.background.IsGrey()
                                  ? Channels::Grey
                                  : Channels::Rgb;
    Image image = Convert(surface.get(), channels);
    std::vector<png_bytep> rows(static_cast<std::size_t>(height));
    const auto rowBytes =
        static_cast<std::size_t>(width) * static_cast<std::size_t>(BytesPerPixel(channels));
    for (std::size_t y = 0; y < rows.size(); ++y) {
        rows[y] = image.pixels.data() + y * rowBytes;
    }
    std::string bytes;
    if (!WritePng(image, layout.dpi, bytes, rows)) {
        return Result<std::string>::Failure("the PNG could not be written");
    }
    return bytes;
}

}  // namespace varnholt::render
