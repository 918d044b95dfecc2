// The render layer on any number text and any options, as a batch line and the command
// line's options reach it: it lays out and writes the symbol, or refuses with a message,
// never more. It accepts exactly what a plain restatement of the number rules accepts, and
// draws the bars of that number's modules inside the symbol. Input: the X-dimension, dpi,
// bar height and bar width reduction as floats, a byte of switches, then the text.

#include <cmath>
#include <cstdint>
#include <optional>
#include <string>

#include "fuzz/FuzzInput.h"
#include "fuzz/Oracles.h"
#include "fuzz/Require.h"
#include "model/ModuleSequence.h"
#include "render/FileFormat.h"
#include "render/Layout.h"

namespace varnholt::fuzz {
namespace {

// PNGs up to this size are written too; larger ones would only slow the fuzzer down.
constexpr long long kMostFuzzedPixels = 1 << 20;

// The number a text stands for: 13 or 8 digits with their right check digit, or 12 or 7
// completed with it, once the blanks around it and the blanks and hyphens in it are dropped;
// nothing otherwise.
std::optional<std::string> ExpectedNumber(std::string_view text) {
    const std::string_view around = " \t\r\v\f";
    const std::size_t first = text.find_first_not_of(around);
    text = first == std::string_view::npos
               ? std::string_view()
               : text.substr(first, text.find_last_not_of(around) - first + 1);
    const std::string kept = Kept(text);
    if (!AllDigits(kept)) {
        return std::nullopt;
    }
    if (kept.size() == 12 || kept.size() == 7) {
        return kept + static_cast<char>('0' + WeightedCheckDigit(kept));
    }
    if (kept.size() == 13 || kept.size() == 8) {
        const std::string_view body = std::string_view(kept).substr(0, kept.size() - 1);
        if (kept.back() - '0' == WeightedCheckDigit(body)) {
            return kept;
        }
    }
    return std::nullopt;
}

int DarkRuns(std::string_view modules) {
    int runs = 0;
    for (std::size_t i = 0; i < modules.size(); ++i) {
        runs += modules[i] == '1' && (i == 0 || modules[i - 1] == '0');
    }
    return runs;
}

render::Options TakeOptions(FuzzInput& input) {
    render::Options options;
    options.xDimensionMm = input.Take<float>();
    const auto dpi = input.Take<float>();
    const auto height = input.Take<float>();
    const auto reduction = input.Take<float>();
    const auto switches = input.Take<std::uint8_t>();
    if ((switches & 1) != 0) {
        options.dpi = dpi;
    }
    if ((switches & 2) != 0) {
        options.barHeightMm = height;
    }
    options.quietZones = (switches & 4) == 0;
    options.marginIndicators = (switches & 8) != 0;
    options.transparentBackground = (switches & 16) != 0;
    options.barWidthReduction.amount = reduction;
    options.barWidthReduction.unit = (switches & 32) != 0
                                         ? render::BarWidthReduction::Unit::Dots
                                         : render::BarWidthReduction::Unit::Millimetres;
    return options;
}

}  // namespace
}  // namespace varnholt::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace varnholt;
    fuzz::FuzzInput input(data, size);
    const render::Options options = fuzz::TakeOptions(input);
    const std::string_view text = input.Rest();

    const render::Result<render::Layout> layout = render::LayOut(text, options);
    const std::optional<std::string> expected = fuzz::ExpectedNumber(text);
    if (!layout) {
        VARNHOLT_REQUIRE(!layout.Error().empty());
        // Refused for the options or for the number, and for the number only when it is bad.
        const bool optionsRefused = !render::Review(options);
        VARNHOLT_REQUIRE(optionsRefused || !expected);
        VARNHOLT_REQUIRE((layout.Kind() == render::ErrorKind::Usage) == optionsRefused);
        return 0;
    }
    VARNHOLT_REQUIRE(expected && layout->number == *expected);
    VARNHOLT_REQUIRE(static_cast<int>(layout->bars.size()) ==
                     fuzz::DarkRuns(ModulesOf(layout->number).Text()));
    VARNHOLT_REQUIRE(std::isfinite(layout->widthMm) && layout->widthMm > 0.0);
    VARNHOLT_REQUIRE(std::isfinite(layout->heightMm) && layout->heightMm > 0.0);
    for (const render::Box& bar : layout->bars) {
        VARNHOLT_REQUIRE(bar.width > 0.0 && bar.height > 0.0);
        VARNHOLT_REQUIRE(bar.x >= 0.0 && bar.x + bar.width <= layout->widthMm + 1e-9);
        VARNHOLT_REQUIRE(bar.y >= 0.0 && bar.y + bar.height <= layout->heightMm + 1e-9);
    }

    const render::Result<std::string> svg = render::Encode(*layout, render::FileFormat::Svg);
    VARNHOLT_REQUIRE(svg &&
                     svg->find("<title>" + layout->number + "</title>") != std::string::npos);
    if (layout->dpi > 0.0 && static_cast<long long>(layout->WidthDots()) * layout->HeightDots() <=
                                 fuzz::kMostFuzzedPixels) {
        const render::Result<std::string> png = render::Encode(*layout, render::FileFormat::Png);
        VARNHOLT_REQUIRE(png && png->compare(1, 3, "PNG") == 0);
    }
    return 0;
}
