#include "model/ModuleSequence.h"

#include <algorithm>

#include "model/Digit.h"
#include "model/EncodingTables.h"

namespace varnholt {
namespace {

constexpr std::string_view kEdgeGuard = "101";
constexpr std::string_view kCentreGuard = "01010";

}  // namespace

bool ModuleSequence::IsGuard(std::size_t module) const noexcept {
    const std::size_t centre = count / 2 - kCentreGuard.size() / 2;
    return module < kEdgeGuard.size() || module + kEdgeGuard.size() >= count ||
           (module >= centre && module < centre + kCentreGuard.size());
}

ModuleSequence ModulesOf(std::string_view digits) noexcept {
    ModuleSequence sequence;
    if ((digits.size() != 13 && digits.size() != 8) || !std::ranges::all_of(digits, IsDigit)) {
        return sequence;
    }
    // EAN-13 carries its first digit in the left half's parity; EAN-8 draws every digit,
    // the left half in set A.
    const bool ean13 = digits.size() == 13;
    const std::string_view parity =
        ean13 ? FirstDigitParity[static_cast<std::size_t>(DigitValue(digits[0]))] : "AAAA";
    const std::string_view drawn = ean13 ? digits.substr(1) : digits;
    const std::size_t half = drawn.size() / 2;

    char* out = sequence.modules.data();
    const auto append = [&out](std::string_view modules) {
        out = std::ranges::copy(modules, out).out;
    };
    append(kEdgeGuard);
    for (std::size_t i = 0; i < half; ++i) {
        const auto digit = static_cast<std::size_t>(DigitValue(drawn[i]));
        append(parity[i] == 'A' ? PatternsA[digit] : PatternsB[digit]);
    }
    append(kCentreGuard);
    for (std::size_t i = half; i < drawn.size(); ++i) {
        append(PatternsC[static_cast<std::size_t>(DigitValue(drawn[i]))]);
    }
    append(kEdgeGuard);
    sequence.count = static_cast<std::size_t>(out - sequence.modules.data());
    return sequence;
}

}  // namespace varnholt
