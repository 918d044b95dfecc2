// PNG, with the resolution stored (a PNG without one prints at whatever size the printing
// program guesses).
//
// A symbol has two colours, so the image is one bit a pixel, as label printers print it: grey
// for black on white and a two-colour palette otherwise. The pixels are those Cairo would give
// the whole symbol without anti-aliasing, made without drawing it: the bars lie on whole
// pixels, and each character's pixels are drawn once and kept (CharacterPixels). Most rows
// repeat the one above and are made once.
//
// The chunks are framed here and the pixels compressed by libdeflate in one call: through
// libpng and zlib, a row at a time, compressing took three quarters of a batch's time.

#include <libdeflate.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <memory>
#include <string_view>
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
// libdeflate's levels 1 to 4 take about the same time on these images; 2 gives the smallest.
constexpr int kCompressionLevel = 2;
constexpr std::uint8_t kFilterUp = 2;

// A bar's pixels: columns [left, right), rows [top, bottom).
struct Span {
    int left = 0;
    int right = 0;
    int top = 0;
    int bottom = 0;
};

// The bars' pixels, by their first row. Their edges are whole dots; Cairo takes a rectangle's
// far edges as its corner plus its size, each rounded, and so does this.
std::vector<Span> BarSpans(const Layout& layout, double pixelsPerMm, int width) {
    const auto pixel = [pixelsPerMm](double mm) {
        return static_cast<int>(std::lround(mm * pixelsPerMm));
    };
    std::vector<Span> spans;
    spans.reserve(layout.bars.size());
    for (const Box& bar : layout.bars) {
        const int left = pixel(bar.x);
        const int top = pixel(bar.y);
        spans.push_back({std::clamp(left, 0, width), std::clamp(left + pixel(bar.width), 0, width),
                         top, top + pixel(bar.height)});
    }
    std::stable_sort(spans.begin(), spans.end(),
                     [](const Span& a, const Span& b) { return a.top < b.top; });
    return spans;
}

// Eight pixels of a byte each (0 or 1) into one byte, the first in the highest bit as PNG
// keeps them, by one multiplication; `flip` turns ink into black for grey. `line` is padded
// to whole eights.
void PackBits(const std::uint8_t* line, int width, std::uint8_t flip, std::uint8_t* out) {
    for (int x = 0; x < width; x += 8) {
        std::uint64_t eight = 0;
        std::memcpy(&eight, line + x, sizeof eight);
        *out++ = static_cast<std::uint8_t>((eight * 0x8040201008040201ULL) >> 56) ^ flip;
    }
}

// Removes from `active` what ends at or above row `y` and adds what starts there, taking from
// `all` (sorted by first row) from `next` on.
template <typename T, typename Top, typename End>
void Advance(std::vector<T>& active, const std::vector<T>& all, std::size_t& next, int y, Top top,
             End end) {
    std::erase_if(active, [&](const T& item) { return end(item) <= y; });
    for (; next < all.size() && top(all[next]) <= y; ++next) {
        if (end(all[next]) > y) {
            active.push_back(all[next]);
        }
    }
}

// The image's data as PNG filters it before compressing: each row a filter byte and its
// pixels a bit each. A row made anew (where a bar starts or ends or a character has pixels)
// is stored as it is; one like the row above is stored as the Up filter's zeros, which
// compress to almost nothing.
std::vector<std::uint8_t> FilteredRows(const Layout& layout, int width, int height,
                                       std::uint8_t flip) {
    const double pixelsPerMm = layout.dpi / kMmPerInch;
    const std::vector<Span> spans = BarSpans(layout, pixelsPerMm, width);
    using Pixels = std::shared_ptr<const CharacterPixels>;
    std::vector<Pixels> characters;
    characters.reserve(layout.characters.size());
    for (const PlacedCharacter& placed : layout.characters) {
        characters.push_back(PixelsOf(placed, layout.dpi));
    }
    std::stable_sort(characters.begin(), characters.end(),
                     [](const Pixels& a, const Pixels& b) { return a->top < b->top; });

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
    for (const Pixels& character : characters) {
        mark(character->top, character->top + character->height + 1);
    }

    const auto rowBytes = static_cast<std::size_t>((width + 7) / 8);
    std::vector<std::uint8_t> data((rowBytes + 1) * static_cast<std::size_t>(height), 0);
    std::vector<std::uint8_t> line(static_cast<std::size_t>(width + 7) / 8 * 8);
    std::vector<Span> activeSpans;
    std::vector<Pixels> activeCharacters;
    std::size_t nextSpan = 0;
    std::size_t nextCharacter = 0;
    for (int y = 0; y < height; ++y) {
        std::uint8_t* row = data.data() + static_cast<std::size_t>(y) * (rowBytes + 1);
        if (!fresh[static_cast<std::size_t>(y)]) {
            *row = kFilterUp;
            continue;
        }
        Advance(
            activeSpans, spans, nextSpan, y, [](const Span& s) { return s.top; },
            [](const Span& s) { return s.bottom; });
        Advance(
            activeCharacters, characters, nextCharacter, y, [](const Pixels& c) { return c->top; },
            [](const Pixels& c) { return c->top + c->height; });
        std::fill(line.begin(), line.end(), 0);
        for (const Span& span : activeSpans) {
            std::fill(line.begin() + span.left, line.begin() + std::max(span.left, span.right), 1);
        }
        for (const Pixels& character : activeCharacters) {
            const std::uint8_t* ink =
                character->ink.data() +
                static_cast<std::ptrdiff_t>(y - character->top) * character->width;
            std::uint8_t* to = line.data() + character->left;
            const int end = std::min(character->width, width - character->left);
            for (int x = 0; x < end; ++x) {
                to[x] |= ink[x];
            }
        }
        PackBits(line.data(), width, flip, row + 1);
    }
    return data;
}

void AppendNumber(std::string& out, std::uint32_t number) {
    const std::array<char, 4> bytes{static_cast<char>(number >> 24),
                                    static_cast<char>(number >> 16), static_cast<char>(number >> 8),
                                    static_cast<char>(number)};
    out.append(bytes.data(), bytes.size());
}

// A chunk: its length, its type, its data and the CRC of type and data.
void AppendChunk(std::string& out, std::string_view type, std::string_view data) {
    AppendNumber(out, static_cast<std::uint32_t>(data.size()));
    const std::size_t typeAt = out.size();
    out.append(type);
    out.append(data);
    AppendNumber(out, libdeflate_crc32(0, out.data() + typeAt, type.size() + data.size()));
}

std::string Numbers(std::initializer_list<std::uint32_t> numbers) {
    std::string bytes;
    for (const std::uint32_t number : numbers) {
        AppendNumber(bytes, number);
    }
    return bytes;
}

struct FreeCompressor {
    void operator()(libdeflate_compressor* compressor) const {
        libdeflate_free_compressor(compressor);
    }
};

// One compressor a thread, made on first use: making one costs more than a small image.
libdeflate_compressor* Compressor() {
    thread_local const std::unique_ptr<libdeflate_compressor, FreeCompressor> compressor(
        libdeflate_alloc_compressor(kCompressionLevel));
    return compressor.get();
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
    libdeflate_compressor* compressor = Compressor();
    if (compressor == nullptr) {
        return Result<std::string>::Failure(ErrorKind::Output, "the PNG could not be written");
    }
    const bool grey =
        !layout.transparentBackground && layout.foreground == kBlack && layout.background == kWhite;
    const std::vector<std::uint8_t> rows =
        FilteredRows(layout, width, height, grey ? std::uint8_t{0xFF} : std::uint8_t{0});
    std::string pixels(libdeflate_zlib_compress_bound(compressor, rows.size()), '\0');
    pixels.resize(libdeflate_zlib_compress(compressor, rows.data(), rows.size(), pixels.data(),
                                           pixels.size()));

    constexpr std::uint8_t kGrey = 0;
    constexpr std::uint8_t kPalette = 3;
    std::string header =
        Numbers({static_cast<std::uint32_t>(width), static_cast<std::uint32_t>(height)});
    // One bit a pixel; deflate, the adaptive filters, no interlacing.
    header += {char{1}, static_cast<char>(grey ? kGrey : kPalette), char{0}, char{0}, char{0}};
    const auto perMetre = static_cast<std::uint32_t>(std::lround(layout.dpi / kMetresPerInch));
    std::string resolution = Numbers({perMetre, perMetre});
    resolution += char{1};  // per metre

    std::string out("\x89PNG\r\n\x1a\n", 8);
    out.reserve(out.size() + 128 + pixels.size());
    AppendChunk(out, "IHDR", header);
    if (!grey) {
        const auto rgb = [](Rgb c) {
            return std::string{static_cast<char>(c.red), static_cast<char>(c.green),
                               static_cast<char>(c.blue)};
        };
        AppendChunk(out, "PLTE", rgb(layout.background) + rgb(layout.foreground));
        if (layout.transparentBackground) {
            AppendChunk(out, "tRNS", std::string(1, '\0'));  // the background's alpha
        }
    }
    AppendChunk(out, "pHYs", resolution);
    AppendChunk(out, "IDAT", pixels);
    AppendChunk(out, "IEND", {});
    return out;
}

}  // namespace varnholt::render
