// The render layer on any number text and any options, as a batch line and the command
// line's options reach it: it lays out and writes the symbol, or refuses with a message,
// never more. It accepts exactly what a plain restatement of the EAN/UPC family's number
// rules accepts, refuses the rest with the kind the rules give, and draws the bars of that
// number's modules, and its add-on's, inside the symbol. Input: the X-dimension, dpi, bar
// height and bar width reduction as floats, a byte of switches, a byte naming the symbology
// when a switch asks for one, then the text.

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdint>
#include <initializer_list>
#include <optional>
#include <string>

#include "fuzz/FamilyOracles.h"
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

// What the render layer must make of a text in a symbology, asked or not.
struct Expected {
    bool accepted = false;
    ErrorKind kind = ErrorKind::Input;  // of the refusal
    Symbology symbology = Symbology::Ean13;
    std::string digits;  // the main symbol's as drawn; for a GTIN-12 as UPC-E, the GTIN-12
    bool fromGtin12 = false;
    std::string addOn;
    bool noted = false;  // said to be a GTIN-12 drawn as EAN-13
};

Expected Refused(ErrorKind kind) {
    Expected expected;
    expected.kind = kind;
    return expected;
}

std::string_view Trimmed(std::string_view text) {
    const std::string_view around = " \t\r\v\f";
    const std::size_t first = text.find_first_not_of(around);
    return first == std::string_view::npos
               ? std::string_view()
               : text.substr(first, text.find_last_not_of(around) - first + 1);
}

bool HasLength(std::size_t length, std::initializer_list<std::size_t> lengths) {
    return std::ranges::find(lengths, length) != lengths.end();
}

// Whether `digits` end in the check digit of those before them.
bool Checked(std::string_view digits) {
    return digits.back() - '0' == WeightedCheckDigit(digits.substr(0, digits.size() - 1));
}

// The rules, case by case: digits with blanks and hyphens dropped, an ISBN-10's X, an add-on
// of 2 or 5 digits after a "+"; the lengths each symbology takes, its check digit given or
// added, a UPC-E's number system and its GTIN-12's check digit.
Expected ExpectedOf(std::string_view text, std::optional<Symbology> asked) {
    if (asked && (*asked == Symbology::Ean2 || *asked == Symbology::Ean5)) {
        return Refused(ErrorKind::Usage);
    }
    text = Trimmed(text);
    const std::size_t plus = text.find('+');
    const std::string main = Kept(text.substr(0, plus));
    const std::string addOn = plus == std::string_view::npos ? "" : Kept(text.substr(plus + 1));
    const bool isbn = main.size() == 10 && AllDigits(main.substr(0, 9)) &&
                      (main.back() == 'X' || main.back() == 'x');
    if (!(AllDigits(main) || isbn) || !AllDigits(addOn)) {
        return Refused(ErrorKind::Input);
    }
    const std::size_t n = main.size();
    const bool fits = !asked                       ? HasLength(n, {13, 12, 10, 8, 7})
                      : *asked == Symbology::Ean13 ? HasLength(n, {13, 12, 10})
                      : *asked == Symbology::Ean8  ? HasLength(n, {8, 7})
                      : *asked == Symbology::UpcA  ? HasLength(n, {12, 11})
                                                   : HasLength(n, {12, 8, 7, 6});
    if (!fits) {
        return Refused(asked ? ErrorKind::Usage : ErrorKind::Input);
    }
    Expected expected;
    expected.symbology = asked.value_or(n >= 10 ? Symbology::Ean13 : Symbology::Ean8);
    if (plus != std::string_view::npos) {
        if (expected.symbology == Symbology::Ean8) {
            return Refused(asked ? ErrorKind::Usage : ErrorKind::Input);
        }
        if (addOn.size() != 2 && addOn.size() != 5) {
            return Refused(ErrorKind::Input);
        }
    }
    expected.addOn = addOn;
    std::string digits = main;
    switch (expected.symbology) {
        case Symbology::Ean13:
            if (n == 10) {
                const char given = static_cast<char>(std::toupper(main.back()));
                if (IsbnCheckCharacter(main.substr(0, 9)) != given) {
                    return Refused(ErrorKind::Input);
                }
                digits = WithCheckDigit("978" + main.substr(0, 9));
            }
            expected.noted = !asked && n == 12 && Checked(main);
            break;
        case Symbology::UpcE: {
            if (n == 6) {
                digits = "0" + digits;
            }
            if (digits[0] != '0' && digits[0] != '1') {
                return Refused(ErrorKind::Input);
            }
            if (n == 12) {
                if (!Checked(digits) || !HasUpcE(digits)) {
                    return Refused(ErrorKind::Input);
                }
                expected.fromGtin12 = true;
                break;
            }
            // The check digit is the GTIN-12's.
            const std::string gtin = *ExpandedUpcE(digits.substr(0, 7) + "0");
            const std::string whole = WithCheckDigit(gtin.substr(0, 11));
            if (digits.size() == 8 && digits.back() != whole.back()) {
                return Refused(ErrorKind::Input);
            }
            digits = digits.substr(0, 7) + whole.back();
            expected.digits = digits;
            expected.accepted = true;
            return expected;
        }
        default:
            break;
    }
    const std::size_t length = DigitCountOf(expected.symbology);
    if (!expected.fromGtin12 && digits.size() + 1 == length) {
        digits = WithCheckDigit(digits);
    } else if (!Checked(digits)) {
        return Refused(ErrorKind::Input);
    }
    expected.digits = digits;
    expected.accepted = true;
    return expected;
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
    // Any symbology of the family, the add-ons too, which are no symbol of their own.
    if ((switches & 64) != 0) {
        options.symbology = static_cast<Symbology>(input.Take<std::uint8_t>() % 6);
    }
    return options;
}

}  // namespace
}  // namespace varnholt::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace varnholt;
    fuzz::FuzzInput input(data, size);
    const render::Options options = fuzz::TakeOptions(input);
    const std::string_view text = input.Rest();

    const Result<render::Layout> layout = render::LayOut(text, options);
    const fuzz::Expected expected = fuzz::ExpectedOf(text, options.symbology);
    if (!layout) {
        VARNHOLT_REQUIRE(!layout.Error().empty());
        // Refused for the options or for the number, and for the number only when it is bad,
        // with the kind the rules give.
        const bool optionsRefused = !render::Review(options);
        VARNHOLT_REQUIRE(optionsRefused || !expected.accepted);
        VARNHOLT_REQUIRE(layout.Kind() == (optionsRefused ? ErrorKind::Usage : expected.kind));
        return 0;
    }
    VARNHOLT_REQUIRE(expected.accepted && layout->symbology == expected.symbology);
    const std::string& number = layout->number;
    const std::string main = number.substr(0, number.find('+'));
    VARNHOLT_REQUIRE(expected.fromGtin12 ? fuzz::ExpandedUpcE(main) == expected.digits
                                         : main == expected.digits);
    VARNHOLT_REQUIRE(number == (expected.addOn.empty() ? main : main + "+" + expected.addOn));
    VARNHOLT_REQUIRE(layout->note.empty() != expected.noted);
    const Symbology addOn = expected.addOn.size() == 2 ? Symbology::Ean2 : Symbology::Ean5;
    VARNHOLT_REQUIRE(static_cast<int>(layout->bars.size()) ==
                     fuzz::DarkRuns(ModulesOf(expected.symbology, main).Text()) +
                         fuzz::DarkRuns(ModulesOf(addOn, expected.addOn).Text()));
    VARNHOLT_REQUIRE(std::isfinite(layout->widthMm) && layout->widthMm > 0.0);
    VARNHOLT_REQUIRE(std::isfinite(layout->heightMm) && layout->heightMm > 0.0);
    for (const render::Box& bar : layout->bars) {
        VARNHOLT_REQUIRE(bar.width > 0.0 && bar.height > 0.0);
        VARNHOLT_REQUIRE(bar.x >= 0.0 && bar.x + bar.width <= layout->widthMm + 1e-9);
        VARNHOLT_REQUIRE(bar.y >= 0.0 && bar.y + bar.height <= layout->heightMm + 1e-9);
    }

    const Result<std::string> svg = render::Encode(*layout, render::FileFormat::Svg);
    VARNHOLT_REQUIRE(svg &&
                     svg->find("<title>" + layout->number + "</title>") != std::string::npos);
    if (layout->dpi > 0.0 && static_cast<long long>(layout->WidthDots()) * layout->HeightDots() <=
                                 fuzz::kMostFuzzedPixels) {
        const Result<std::string> png = render::Encode(*layout, render::FileFormat::Png);
        VARNHOLT_REQUIRE(png && png->compare(1, 3, "PNG") == 0);
    }
    return 0;
}
