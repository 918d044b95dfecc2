// PNG through libpng, with the resolution stored (a PNG without one prints at whatever size
// the printing program guesses).
//
// A symbol has two colours, so the image is one bit a pixel, as label printers print it, and
// libpng writes it as grey for black on white and through a two-colour palette otherwise. The
// pixels are those Cairo would give the whole symbol without anti-aliasing, made without
// drawing it: the bars lie on whole pixels, and each character's pixels are drawn once and
// kept (CharacterPixels). Most rows repeat the one above and are made once.

#include <png.h>
#include <zlib.h>

#include <algorithm>
#include <cmath>
#include <csetjmp>
#include <cstdint>
#include <cstring>
#include <memory>
#include <vector>

#include "render/CharacterPixels.h"
#include "render/FileFormat.h"
#include "render/PrintSize.h"

namespace varnholt::render {
namespace {

// Larger images are refused rather than allocated: 64 million pixels is a metre-tall symbol
// at 600 dpi.
constexpr long long kMostPixels = 64LL << 20;
constexpr double kMetresPerInch = 0.0254;

// A bar's pixels: columns [left, right), rows [top, bottom).
struct Span {
    int left = 0;
    int right = 0;
    int top = 0;
    int bottom = 0;
};

// The bars' pixels. Their edges are whole dots; Cairo takes a rectangle's far edges as its
// corner plus its size, each rounded, and so does this.
std::vector<Span> BarSpans(const Layout& layout, double pixelsPerMm) {
    const auto pixel = [pixelsPerMm](double mm) {
        return static_cast<int>(std::lround(mm * pixelsPerMm));
    };
    std::vector<Span> spans;
    spans.reserve(layout.bars.size());
    for (const Box& bar : layout.bars) {
        const int left = pixel(bar.x);
        const int top = pixel(bar.y);
        spans.push_back({left, left + pixel(bar.width), top, top + pixel(bar.height)});
    }
    return spans;
}

// Eight pixels of a byte each (0 or 1) into one byte, the first in bit 0 (the PNG writer is
// told so), by one multiplication. `line` is padded to whole eights.
void PackBits(const std::uint8_t* line, int width, std::uint8_t* out) {
    for (int x = 0; x < width; x += 8) {
        std::uint64_t eight = 0;
        std::memcpy(&eight, line + x, sizeof eight);
        *out++ = static_cast<std::uint8_t>((eight * 0x0102040810204080ULL) >> 56);
    }
}

// The image a bit a pixel, each row packed once and pointed to by every row like it: a row
// is made anew where a bar starts or ends or a character has pixels.
struct Rows {
    std::vector<std::uint8_t> packed;
    std::vector<png_bytep> rows;
};

Rows InkRows(const Layout& layout, int width, int height) {
    const double pixelsPerMm = layout.dpi / kMmPerInch;
    const std::vector<Span> spans = BarSpans(layout, pixelsPerMm);
    std::vector<std::shared_ptr<const CharacterPixels>> characters;
    characters.reserve(layout.characters.size());
    for (const PlacedCharacter& placed : layout.characters) {
        characters.push_back(PixelsOf(placed, layout.dpi));
    }
    std::vector<bool> fresh(static_cast<std::size_t>(height) + 1, false);
    const auto mark = [&](int from, int to) {
        for (int y = std::clamp(from, 0, height); y < std::clamp(to, 0, height); ++y) {
            fresh[static_cast<std::size_t>(y)] = true;
        }
    };
    fresh[0] = true;
    for (const Span& span : spans) {
        mark(span.top, span.top + 1);
        mark(span.bottom, span.bottom + 1);
    }
    for (const auto& character : characters) {
        mark(character->top, character->top + character->height + 1);
    }

    const auto rowBytes = static_cast<std::size_t>((width + 7) / 8);
    const auto freshCount = static_cast<std::size_t>(std::count(fresh.begin(), fresh.end(), true));
    Rows image;
    image.packed.resize(rowBytes * freshCount);
    std::vector<std::uint8_t> line(static_cast<std::size_t>(width + 7) / 8 * 8);
    std::vector<std::size_t> rowAt(static_cast<std::size_t>(height));
    std::size_t made = 0;
    for (int y = 0; y < height; ++y) {
        if (fresh[static_cast<std::size_t>(y)]) {
            std::fill(line.begin(), line.end(), 0);
            for (const Span& span : spans) {
                if (y >= span.top && y < span.bottom) {
                    std::fill(line.begin() + std::clamp(span.left, 0, width),
                              line.begin() + std::clamp(span.right, 0, width), 1);
                }
            }
            for (const auto& character : characters) {
                const int row = y - character->top;
                if (row < 0 || row >= character->height) {
                    continue;
                }
                const std::uint8_t* ink =
                    character->ink.data() + static_cast<std::ptrdiff_t>(row) * character->width;
                const int end = std::min(character->width, width - character->left);
                for (int x = 0; x < end; ++x) {
                    line[static_cast<std::size_t>(character->left + x)] |= ink[x];
                }
            }
            PackBits(line.data(), width, image.packed.data() + made * rowBytes);
            ++made;
        }
        rowAt[static_cast<std::size_t>(y)] = (made - 1) * rowBytes;
    }
    image.rows.reserve(rowAt.size());
    for (const std::size_t at : rowAt) {
        image.rows.push_back(image.packed.data() + at);
    }
    return image;
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
    const Rows image = InkRows(layout, width, height);
    std::string bytes;
    if (!WritePng(layout, image.rows, bytes)) {
        return Result<std::string>::Failure(ErrorKind::Output, "the PNG could not be written");
    }
    return bytes;
}

}  // namespace varnholt::render
