#pragma once

#include <array>
#include <cstdint>
#include <string_view>

namespace varnholt::raster {

// The surface's built-in font: digits 5 pixels wide and 9 high, drawn from the top-left
// corner of a 6-pixel cell, so that a digit fits its pitch under the bars and beside the
// guards' lower ends.
inline constexpr int kGlyphWidth = 5;
inline constexpr int kGlyphHeight = 9;
inline constexpr int kCellWidth = 6;

// A digit leaves a blank column before the next cell, and fits the rows below the data bars.
static_assert(kGlyphWidth < kCellWidth && kGlyphHeight <= 15);

// One row a byte; bit 4 is the leftmost pixel.
using Glyph = std::array<std::uint8_t, kGlyphHeight>;

namespace font {

constexpr Glyph Draw(std::array<std::string_view, kGlyphHeight> picture) {
    Glyph glyph{};
    for (std::size_t row = 0; row < picture.size(); ++row) {
        for (const char pixel : picture[row]) {
            glyph[row] = static_cast<std::uint8_t>(glyph[row] << 1 | (pixel == '#' ? 1 : 0));
        }
    }
    return glyph;
}

}  // namespace font

// The glyphs of "0" to "9".
inline constexpr std::array<Glyph, 10> DigitGlyphs{
    font::Draw({".###.", "#...#", "#...#", "#...#", "#...#", "#...#", "#...#", "#...#", ".###."}),
    font::Draw({"..#..", ".##..", "#.#..", "..#..", "..#..", "..#..", "..#..", "..#..", "#####"}),
    font::Draw({".###.", "#...#", "....#", "....#", "...#.", "..#..", ".#...", "#....", "#####"}),
    font::Draw({".###.", "#...#", "....#", "....#", "..##.", "....#", "....#", "#...#", ".###."}),
    font::Draw({"...#.", "..##.", ".#.#.", "#..#.", "#..#.", "#####", "...#.", "...#.", "...#."}),
    font::Draw({"#####", "#....", "#....", "####.", "....#", "....#", "....#", "#...#", ".###."}),
    font::Draw({".###.", "#....", "#....", "####.", "#...#", "#...#", "#...#", "#...#", ".###."}),
    font::Draw({"#####", "....#", "...#.", "...#.", "..#..", "..#..", ".#...", ".#...", ".#..."}),
    font::Draw({".###.", "#...#", "#...#", "#...#", ".###.", "#...#", "#...#", "#...#", ".###."}),
    font::Draw({".###.", "#...#", "#...#", "#...#", ".####", "....#", "....#", "#...#", ".###."}),
};

// The glyph of a character, or nothing for a character the font does not have.
constexpr const Glyph* GlyphOf(char c) noexcept {
    return c >= '0' && c <= '9' ? &DigitGlyphs[static_cast<std::size_t>(c - '0')] : nullptr;
}

}  // namespace varnholt::raster
