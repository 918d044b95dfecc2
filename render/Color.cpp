#include "render/Color.h"

#include <array>
#include <charconv>
#include <cmath>
#include <cstdio>

namespace varnholt::render {
namespace {

struct NamedColor {
    std::string_view name;
    Rgb color;
};

constexpr std::array<NamedColor, 6> kNames{{
    {"black", kBlack},
    {"white", kWhite},
    {"red", {255, 0, 0}},
    {"green", {0, 128, 0}},
    {"blue", {0, 0, 255}},
    {"navy", {0, 0, 128}},
}};

}  // namespace

std::string ColorNames() {
    std::string names;
    for (const NamedColor& named : kNames) {
        names.append(names.empty() ? "" : ", ").append(named.name);
    }
    return names;
}

namespace {

// Light reflected by a channel, 0 to 1: the sRGB value made linear.
double Reflectance(std::uint8_t channel) {
    const double v = channel / 255.0;
    return v <= 0.04045 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
}

double Luminance(Rgb c) {
    return 0.2126 * Reflectance(c.red) + 0.7152 * Reflectance(c.green) +
           0.0722 * Reflectance(c.blue);
}

// The print contrast signal: how much less light the bars reflect than the spaces, 0 to 1.
double PrintContrast(double bars, double spaces) {
    return spaces <= 0.0 ? 0.0 : (spaces - bars) / spaces;
}

// Below this print contrast, scanners start to miss bars.
constexpr double kLeastContrast = 0.5;

}  // namespace

std::string Rgb::Hex() const {
    char text[8];
    std::snprintf(text, sizeof text, "#%02x%02x%02x", red, green, blue);
    return text;
}

std::optional<Rgb> ParseColor(std::string_view text) {
    for (const NamedColor& named : kNames) {
        if (text == named.name) {
            return named.color;
        }
    }
    if (text.starts_with('#')) {
        text.remove_prefix(1);
    }
    const auto channel = [](std::string_view hex) -> std::optional<std::uint8_t> {
        unsigned value = 0;
        const auto [end, error] = std::from_chars(hex.data(), hex.data() + hex.size(), value, 16);
        if (error != std::errc{} || end != hex.data() + hex.size()) {
            return std::nullopt;
        }
        return static_cast<std::uint8_t>(hex.size() == 1 ? value * 17 : value);
    };
    if (text.size() != 6 && text.size() != 3) {
        return std::nullopt;
    }
    const std::size_t width = text.size() / 3;
    const auto r = channel(text.substr(0, width));
    const auto g = channel(text.substr(width, width));
    const auto b = channel(text.substr(2 * width, width));
    if (!r || !g || !b) {
        return std::nullopt;
    }
    return Rgb{*r, *g, *b};
}

std::string ContrastWarning(Rgb foreground, Rgb background) {
    if (PrintContrast(Luminance(foreground), Luminance(background)) < kLeastContrast) {
        return "the bars (" + foreground.Hex() + ") are not clearly darker than the background (" +
               background.Hex() + "); scanners read dark bars on a light background";
    }
    if (PrintContrast(Reflectance(foreground.red), Reflectance(background.red)) < kLeastContrast) {
        return "the bars (" + foreground.Hex() +
               ") reflect red light almost as the background does; scanners light the symbol "
               "red and will not see them";
    }
    return {};
}

}  // namespace varnholt::render
