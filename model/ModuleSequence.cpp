#include "model/ModuleSequence.h"

#include <algorithm>

#include "model/Digit.h"
#include "model/EncodingTables.h"

namespace varnholt {
namespace {

constexpr std::string_view kEdgeGuard = "101";
constexpr std::string_view kCentreGuard = "01010";
constexpr std::string_view kUpcEEndGuard = "010101";
constexpr std::string_view kAddOnStart = "1011";
constexpr std::string_view kAddOnSeparator = "01";

constexpr std::size_t kDigitModules = 7;
static_assert(ModuleCountOf(Symbology::Ean13) ==
              2 * kEdgeGuard.size() + kCentreGuard.size() + 12 * kDigitModules);
static_assert(ModuleCountOf(Symbology::UpcA) == ModuleCountOf(Symbology::Ean13));
static_assert(ModuleCountOf(Symbology::Ean8) ==
              2 * kEdgeGuard.size() + kCentreGuard.size() + 8 * kDigitModules);
static_assert(ModuleCountOf(Symbology::UpcE) ==
              kEdgeGuard.size() + kUpcEEndGuard.size() + 6 * kDigitModules);
static_assert(ModuleCountOf(Symbology::Ean2) ==
              kAddOnStart.size() + kAddOnSeparator.size() + 2 * kDigitModules);
static_assert(ModuleCountOf(Symbology::Ean5) ==
              kAddOnStart.size() + 4 * kAddOnSeparator.size() + 5 * kDigitModules);
static_assert(ModuleCountOf(Symbology::Ean13) == ModuleSequence::kEan13Modules &&
              ModuleCountOf(Symbology::Ean8) == ModuleSequence::kEan8Modules);

std::size_t Value(char digit) noexcept {
    return static_cast<std::size_t>(DigitValue(digit));
}

class ModuleWriter {
  public:
    explicit ModuleWriter(char* out) noexcept : out_(out) {}
    char* End() const noexcept { return out_; }

    void Append(std::string_view modules) noexcept { out_ = std::ranges::copy(modules, out_).out; }
    // A digit in number set 'A', 'B' or 'C'.
    void Append(char digit, char set) noexcept {
        const DigitPatterns& patterns =
            set == 'A' ? PatternsA : (set == 'B' ? PatternsB : PatternsC);
        Append(patterns[Value(digit)]);
    }

  private:
    char* out_;
};

// EAN-13 without its first digit, EAN-8 and UPC-A: the left half in the sets `parity` names,
// the right half in set C.
void WriteTwoHalves(ModuleWriter& out, std::string_view parity, std::string_view drawn) noexcept {
    const std::size_t half = drawn.size() / 2;
    out.Append(kEdgeGuard);
    for (std::size_t i = 0; i < half; ++i) {
        out.Append(drawn[i], parity[i]);
    }
    out.Append(kCentreGuard);
    for (std::size_t i = half; i < drawn.size(); ++i) {
        out.Append(drawn[i], 'C');
    }
    out.Append(kEdgeGuard);
}

// The number system and check digit are drawn only as the parity of the six digits between.
void WriteUpcE(ModuleWriter& out, std::string_view digits) noexcept {
    const std::string_view parity = UpcEParity[Value(digits[7])];
    const bool swapped = digits[0] == '1';
    out.Append(kEdgeGuard);
    for (std::size_t i = 0; i < parity.size(); ++i) {
        const char set = parity[i];
        out.Append(digits[i + 1], swapped ? static_cast<char>('A' + 'B' - set) : set);
    }
    out.Append(kUpcEEndGuard);
}

void WriteAddOn(ModuleWriter& out, std::string_view parity, std::string_view digits) noexcept {
    out.Append(kAddOnStart);
    for (std::size_t i = 0; i < digits.size(); ++i) {
        if (i != 0) {
            out.Append(kAddOnSeparator);
        }
        out.Append(digits[i], parity[i]);
    }
}

// The five-digit add-on's checksum: weights 3 and 9 alternately, 3 at the first digit.
std::size_t Ean5Checksum(std::string_view digits) noexcept {
    const std::size_t odd = Value(digits[0]) + Value(digits[2]) + Value(digits[4]);
    const std::size_t even = Value(digits[1]) + Value(digits[3]);
    return (3 * odd + 9 * even) % 10;
}

}  // namespace

bool ModuleSequence::IsGuard(std::size_t module) const noexcept {
    switch (symbology) {
        case Symbology::UpcE:
            return module < kEdgeGuard.size() || module + kUpcEEndGuard.size() >= count;
        case Symbology::Ean2:
        case Symbology::Ean5:
            return false;
        default:
            break;
    }
    const std::size_t centre = count / 2 - kCentreGuard.size() / 2;
    return module < kEdgeGuard.size() || module + kEdgeGuard.size() >= count ||
           (module >= centre && module < centre + kCentreGuard.size());
}

ModuleSequence ModulesOf(std::string_view digits) noexcept {
    return ModulesOf(digits.size() == 8 ? Symbology::Ean8 : Symbology::Ean13, digits);
}

ModuleSequence ModulesOf(Symbology symbology, std::string_view digits) noexcept {
    ModuleSequence sequence;
    sequence.symbology = symbology;
    if (digits.size() != DigitCountOf(symbology) || !std::ranges::all_of(digits, IsDigit) ||
        (symbology == Symbology::UpcE && digits[0] > '1')) {
        return sequence;
    }
    ModuleWriter out(sequence.modules.data());
    switch (symbology) {
        case Symbology::Ean13:
            WriteTwoHalves(out, FirstDigitParity[Value(digits[0])], digits.substr(1));
            break;
        case Symbology::UpcA:
            // An EAN-13 whose first digit is 0.
            WriteTwoHalves(out, FirstDigitParity[0], digits);
            break;
        case Symbology::Ean8:
            WriteTwoHalves(out, "AAAA", digits);
            break;
        case Symbology::UpcE:
            WriteUpcE(out, digits);
            break;
        case Symbology::Ean2:
            WriteAddOn(out, Ean2Parity[(Value(digits[0]) * 10 + Value(digits[1])) % 4], digits);
            break;
        case Symbology::Ean5:
            WriteAddOn(out, Ean5Parity[Ean5Checksum(digits)], digits);
            break;
    }
    sequence.count = static_cast<std::size_t>(out.End() - sequence.modules.data());
    return sequence;
}

}  // namespace varnholt
