// Modulo10, EAN and the rest of the EAN/UPC family's number model on any text, including
// texts far beyond the 16-bit limit of 32,767 characters. Input: one byte that widens the text
// (see Widen), then the text.

#include <algorithm>
#include <cstdint>
#include <string>
#include <variant>

#include "fuzz/FamilyOracles.h"
#include "fuzz/FuzzInput.h"
#include "fuzz/Oracles.h"
#include "fuzz/Require.h"
#include "model/EAN.h"
#include "model/EncodingTables.h"
#include "model/GtinNumber.h"
#include "model/ModuleSequence.h"
#include "model/Modulo10.h"
#include "model/UpcE.h"

namespace varnholt::fuzz {
namespace {

// Twice the 16-bit limit: enough to pass it, small enough to keep the fuzzer quick.
constexpr std::size_t kLongest = 1 << 16;
// Up to this many digits no weighted sum comes near the 16-bit limit.
constexpr std::size_t kSafeLength = 1000;

bool IsCheckDigit(std::int16_t digit) {
    return digit >= -1 && digit <= 9;
}

void FuzzModulo10(const std::string& text) {
    const std::string kept = Kept(text);
    Modulo10 modulo;
    // A used object: every call must start from a reset result.
    modulo.Calculate("5");

    const std::int16_t digit = modulo.Calculate(text);
    VARNHOLT_REQUIRE(IsCheckDigit(digit));
    VARNHOLT_REQUIRE(digit == modulo.CheckDigit());
    if (kept.empty() || !AllDigits(kept) || kept.size() > 32767) {
        VARNHOLT_REQUIRE(digit == -1);
    } else if (kept.size() <= kSafeLength) {
        VARNHOLT_REQUIRE(digit == WeightedCheckDigit(kept));
    }

    modulo.Calculate("5");
    const bool right = modulo.Check(text);
    const std::int16_t checked = modulo.CheckDigit();
    VARNHOLT_REQUIRE(IsCheckDigit(checked));
    if (right) {
        VARNHOLT_REQUIRE(checked != -1 && kept.back() == '0' + checked);
    }
    if (kept.size() < 2) {
        VARNHOLT_REQUIRE(!right && checked == -1);
        return;
    }
    const std::string body = kept.substr(0, kept.size() - 1);
    VARNHOLT_REQUIRE(checked == Modulo10{}.Calculate(body));
    if (AllDigits(body) && body.size() <= kSafeLength) {
        VARNHOLT_REQUIRE(right == (kept.back() == '0' + WeightedCheckDigit(body)));
    }
}

bool IsReset(const EAN& ean) {
    const CodePart reset{std::int16_t{0}};
    const EAN::FieldTexts views = ean.Fields();
    return ean.CheckDigit() == -1 && ean.NumberSystem() == reset &&
           ean.ManufacturerCode() == reset && ean.ProductCode() == reset &&
           views.numberSystem.empty() && views.manufacturerCode.empty() &&
           views.productCode.empty();
}

// The fields cut from a 12- or 7-character body: they rebuild it, leading zeros and all.
void RequireSplit(const EAN& ean, const std::string& body) {
    // The getters return copies; keep them while pointing into them.
    const CodePart systemPart = ean.NumberSystem();
    const CodePart productPart = ean.ProductCode();
    const CodePart manufacturerPart = ean.ManufacturerCode();
    const auto* system = std::get_if<std::string>(&systemPart);
    VARNHOLT_REQUIRE(system != nullptr && (system->size() == 2 || system->size() == 3));
    VARNHOLT_REQUIRE(body.starts_with(*system));
    const auto* product = std::get_if<std::string>(&productPart);
    VARNHOLT_REQUIRE(product != nullptr);
    if (body.size() == 12) {
        const auto* manufacturer = std::get_if<std::string>(&manufacturerPart);
        VARNHOLT_REQUIRE(manufacturer != nullptr);
        VARNHOLT_REQUIRE(*system + *manufacturer == body.substr(0, 7));
        VARNHOLT_REQUIRE(*product == body.substr(7));
    } else {
        VARNHOLT_REQUIRE(manufacturerPart == CodePart{std::int16_t{-1}});
        VARNHOLT_REQUIRE(*system + *product == body);
    }
    // The views show the same characters, and nothing for EAN-8's missing manufacturer code.
    const EAN::FieldTexts views = ean.Fields();
    VARNHOLT_REQUIRE(views.numberSystem == *system && views.productCode == *product);
    const auto* manufacturer = std::get_if<std::string>(&manufacturerPart);
    VARNHOLT_REQUIRE(views.manufacturerCode == (manufacturer ? *manufacturer : std::string()));
    VARNHOLT_REQUIRE(ean.CheckDigit() == (AllDigits(body) ? WeightedCheckDigit(body) : -1));
}

void FuzzEAN(const std::string& text) {
    const std::string kept = Kept(text);
    EAN ean;
    // A used object, with every field set: a result that is not reset shows.
    VARNHOLT_REQUIRE(ean.Check("5400101109971"));

    const std::int16_t digit = ean.Calculate(text);
    VARNHOLT_REQUIRE(IsCheckDigit(digit));
    VARNHOLT_REQUIRE(digit == ean.CheckDigit());
    if (kept.size() == 12 || kept.size() == 7) {
        RequireSplit(ean, kept);
    } else {
        VARNHOLT_REQUIRE(IsReset(ean));
    }

    VARNHOLT_REQUIRE(ean.Check("5400101109971"));
    const bool right = ean.Check(text);
    VARNHOLT_REQUIRE(IsCheckDigit(ean.CheckDigit()));
    if (kept.size() != 13 && kept.size() != 8) {
        VARNHOLT_REQUIRE(!right && IsReset(ean));
        return;
    }
    const std::string body = kept.substr(0, kept.size() - 1);
    RequireSplit(ean, body);
    VARNHOLT_REQUIRE(right == (AllDigits(body) && kept.back() == '0' + WeightedCheckDigit(body)));
    if (right) {
        VARNHOLT_REQUIRE(kept.back() == '0' + ean.CheckDigit());
    }
}

void FuzzGtinNumber(const std::string& text) {
    const std::optional<GtinNumber> number = GtinNumberOf(text);
    const std::size_t size = text.size();
    const bool gtin = (size == 8 || size == 12 || size == 13 || size == 14) && AllDigits(text);
    const char last = size == 0 ? '\0' : (text.back() == 'x' ? 'X' : text.back());
    const bool isbn =
        size == 10 && AllDigits(text.substr(0, 9)) && ((last >= '0' && last <= '9') || last == 'X');
    VARNHOLT_REQUIRE(number.has_value() == (gtin || isbn));
    if (!number) {
        return;
    }
    char check = '\0';
    std::string ean;
    std::string normal;
    if (isbn) {
        VARNHOLT_REQUIRE(NameOf(number->format) == "ISBN-10");
        check = IsbnCheckCharacter(text);
        ean = WithCheckDigit("978" + text.substr(0, 9));
        normal = "0" + ean;
    } else {
        VARNHOLT_REQUIRE(NameOf(number->format) == "GTIN-" + std::to_string(size));
        check = static_cast<char>('0' + WeightedCheckDigit(text.substr(0, size - 1)));
        ean = size == 14 ? WithCheckDigit(text.substr(1, 12)) : (size == 12 ? "0" : "") + text;
        normal = std::string(14 - size, '0') + text;
    }
    const bool valid = last == check;
    VARNHOLT_REQUIRE(number->valid == valid && number->checkDigit == check);
    VARNHOLT_REQUIRE(number->Ean() == ean);
    VARNHOLT_REQUIRE(number->Gtin() == (valid ? normal : ""));
    // The EAN given is whole, with its own check digit, unless it is the number as it stands.
    const bool own = isbn || size == 14;
    VARNHOLT_REQUIRE(EAN{}.Check(number->Ean()) == (valid || own));
}

template <std::size_t N>
std::string AsText(const std::array<char, N>& digits) {
    return {digits.begin(), digits.end()};
}

void FuzzUpcE(const std::string& text) {
    const std::optional<std::string> expected = ExpandedUpcE(text);
    const auto expanded = ExpandUpcE(text);
    VARNHOLT_REQUIRE(expanded.has_value() == expected.has_value());
    if (expanded) {
        VARNHOLT_REQUIRE(AsText(*expanded) == *expected);
        // Every expansion compresses, perhaps by an earlier rule, to one that expands the same.
        const auto again = CompressToUpcE(*expected);
        VARNHOLT_REQUIRE(again && ExpandedUpcE(AsText(*again)) == expected);
    }
    const auto compressed = CompressToUpcE(text);
    VARNHOLT_REQUIRE(compressed.has_value() == HasUpcE(text));
    if (compressed) {
        VARNHOLT_REQUIRE(ExpandedUpcE(AsText(*compressed)) == text);
    }
}

// The digits and number sets read back from `count` digits of seven modules, `stride` apart.
struct ReadBack {
    std::string digits;
    std::string sets;
};

ReadBack Read(std::string_view modules, std::size_t first, std::size_t stride, std::size_t count) {
    ReadBack read;
    for (std::size_t i = 0; i < count; ++i) {
        const std::string_view pattern = modules.substr(first + i * stride, 7);
        for (const auto& [set, patterns] :
             {std::pair{'A', &PatternsA}, std::pair{'B', &PatternsB}, std::pair{'C', &PatternsC}}) {
            const auto found = std::ranges::find(*patterns, pattern);
            if (found != patterns->end()) {
                read.digits += static_cast<char>('0' + (found - patterns->begin()));
                read.sets += set;
            }
        }
    }
    return read;
}

// The sets a symbol of `text` must show, its digits in order: the left half's, then the
// right half's or none.
std::string SetsOf(Symbology symbology, const std::string& text) {
    const auto digit = [&text](std::size_t i) { return static_cast<std::size_t>(text[i] - '0'); };
    switch (symbology) {
        case Symbology::Ean13:
            return std::string(FirstDigitParity[digit(0)]) + "CCCCCC";
        case Symbology::UpcA:
            return "AAAAAACCCCCC";
        case Symbology::Ean8:
            return "AAAACCCC";
        case Symbology::UpcE: {
            std::string sets(UpcEParity[digit(7)]);
            if (text[0] == '1') {
                for (char& set : sets) {
                    set = set == 'A' ? 'B' : 'A';
                }
            }
            return sets;
        }
        case Symbology::Ean2:
            return std::string(Ean2Parity[(digit(0) * 10 + digit(1)) % 4]);
        case Symbology::Ean5:
            return std::string(
                Ean5Parity[(3 * (digit(0) + digit(2) + digit(4)) + 9 * (digit(1) + digit(3))) %
                           10]);
    }
    return {};
}

void FuzzModules(const std::string& text) {
    struct Shape {
        Symbology symbology;
        std::size_t digits;
        std::size_t modules;
        std::size_t guardModules;
    };
    for (const Shape& shape :
         {Shape{Symbology::Ean13, 13, 95, 11}, Shape{Symbology::Ean8, 8, 67, 11},
          Shape{Symbology::UpcA, 12, 95, 11}, Shape{Symbology::UpcE, 8, 51, 9},
          Shape{Symbology::Ean2, 2, 20, 0}, Shape{Symbology::Ean5, 5, 47, 0}}) {
        const ModuleSequence sequence = ModulesOf(shape.symbology, text);
        const bool drawn = text.size() == shape.digits && AllDigits(text) &&
                           (shape.symbology != Symbology::UpcE || text[0] <= '1');
        VARNHOLT_REQUIRE(sequence.symbology == shape.symbology);
        VARNHOLT_REQUIRE(sequence.count == (drawn ? shape.modules : 0));
        VARNHOLT_REQUIRE(
            std::all_of(sequence.modules.begin() + static_cast<std::ptrdiff_t>(sequence.count),
                        sequence.modules.end(), [](char c) { return c == '\0'; }));
        if (!drawn) {
            continue;
        }
        const std::string_view modules = sequence.Text();
        VARNHOLT_REQUIRE(std::ranges::all_of(modules, [](char c) { return c == '0' || c == '1'; }));
        std::size_t guards = 0;
        for (std::size_t module = 0; module < sequence.count; ++module) {
            guards += sequence.IsGuard(module) ? 1 : 0;
        }
        VARNHOLT_REQUIRE(guards == shape.guardModules);

        // Every digit's modules read back as that digit, in the set the rules ask for.
        ReadBack read;
        std::string drawnDigits = text;
        if (shape.symbology == Symbology::Ean2 || shape.symbology == Symbology::Ean5) {
            read = Read(modules, 4, 9, shape.digits);
        } else if (shape.symbology == Symbology::UpcE) {
            read = Read(modules, 3, 7, 6);
            drawnDigits = text.substr(1, 6);
        } else {
            drawnDigits = shape.symbology == Symbology::Ean13 ? text.substr(1) : text;
            const std::size_t half = drawnDigits.size() / 2;
            read = Read(modules, 3, 7, half);
            const ReadBack right = Read(modules, 3 + 7 * half + 5, 7, half);
            read.digits += right.digits;
            read.sets += right.sets;
        }
        VARNHOLT_REQUIRE(read.digits == drawnDigits);
        VARNHOLT_REQUIRE(read.sets == SetsOf(shape.symbology, text));
    }
    // UPC-A is the EAN-13 with a leading 0; the entry point without a symbology is EAN-13's
    // and EAN-8's.
    VARNHOLT_REQUIRE(ModulesOf(Symbology::UpcA, text).Text() ==
                     ModulesOf(Symbology::Ean13, "0" + text).Text());
    VARNHOLT_REQUIRE(ModulesOf(text).Text() ==
                     ModulesOf(text.size() == 8 ? Symbology::Ean8 : Symbology::Ean13, text).Text());
}

}  // namespace
}  // namespace varnholt::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace varnholt;
    using namespace varnholt::fuzz;
    FuzzInput input(data, size);
    const auto width = input.Take<std::uint8_t>();
    const std::string text = Widen(input.Rest(), width, kLongest);
    FuzzModulo10(text);
    FuzzEAN(text);
    FuzzGtinNumber(text);
    FuzzUpcE(text);
    FuzzModules(text);
    return 0;
}
