#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace varnholt::render {

// A colour of the printed symbol, 8 bits a channel.
struct Rgb {
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;

    friend bool operator==(const Rgb&, const Rgb&) = default;

    // "#rrggbb", as SVG and the command line write it.
    std::string Hex() const;
    bool IsGrey() const noexcept { return red == green && green == blue; }
};

inline constexpr Rgb kBlack{0, 0, 0};
inline constexpr Rgb kWhite{255, 255, 255};

// Reads "#rrggbb", "rrggbb", "#rgb" or one of the names ColorNames() lists; nothing for
// anything else.
std::optional<Rgb> ParseColor(std::string_view text);

// The colours known by name, in words: "black, white, red, green, blue, navy".
std::string ColorNames();

// Why a scanner may fail to read dark bars of `foreground` on `background`; empty when
// nothing is wrong. Scanners light the symbol with red light and read the bars as the
// darker parts, so the bars must reflect much less red light than the spaces.
std::string ContrastWarning(Rgb foreground, Rgb background);

}  // namespace varnholt::render
