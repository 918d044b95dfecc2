// Modulo10 and EAN on any text, including texts far beyond the 16-bit limit of 32,767
// characters. Input: one byte that widens the text (see Widen), then the text.

#include <cstdint>
#include <string>
#include <variant>

#include "fuzz/FuzzInput.h"
#include "fuzz/Oracles.h"
#include "fuzz/Require.h"
#include "model/EAN.h"
#include "model/Modulo10.h"

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
    return 0;
}
