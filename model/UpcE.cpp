#include "model/UpcE.h"

#include <algorithm>
#include <cstddef>
#include <string_view>

#include "model/Digit.h"

namespace varnholt {
namespace {

// One zero-suppression rule: the UPC-E sixth digits that pick it, and where the UPC-E's six
// digits ('a' to 'f') and the suppressed zeros ('0') stand among the GTIN-12's manufacturer
// and product code, its second to eleventh digits.
struct ZeroSuppression {
    char firstKey;
    char lastKey;
    std::string_view layout;
};

// The four rules by the sixth digit, in the order compression tries them: a manufacturer code
// ending in 000, 100 or 200, then in 00, then in 0, then product codes 5 to 9.
constexpr std::array<ZeroSuppression, 4> kZeroSuppression{{
    {'0', '2', "abf0000cde"},
    {'3', '3', "abc00000de"},
    {'4', '4', "abcd00000e"},
    {'5', '9', "abcde0000f"},
}};

constexpr bool RulesAreSound() {
    char next = '0';
    for (const ZeroSuppression& rule : kZeroSuppression) {
        const auto count = [&rule](char c) { return std::ranges::count(rule.layout, c); };
        // A one-digit key is the sixth digit itself; a range puts the digit in the GTIN-12.
        const bool sixthPlaced = count('f') == (rule.firstKey == rule.lastKey ? 0 : 1);
        if (rule.firstKey != next || rule.lastKey < rule.firstKey || rule.layout.size() != 10 ||
            !sixthPlaced || count('a') != 1 || count('b') != 1 || count('c') != 1 ||
            count('d') != 1 || count('e') != 1 || count('0') + 5 + count('f') != 10) {
            return false;
        }
        next = static_cast<char>(rule.lastKey + 1);
    }
    return next == '9' + 1;
}
static_assert(RulesAreSound(),
              "the rules share the sixth digits 0-9 out in order, and each "
              "places the five other digits once among suppressed zeros");

bool IsNumberSystem(char c) noexcept {
    return c == '0' || c == '1';
}

bool IsShaped(std::string_view digits, std::size_t length) noexcept {
    return digits.size() == length && IsNumberSystem(digits[0]) &&
           std::ranges::all_of(digits, IsDigit);
}

}  // namespace

std::optional<std::array<char, 12>> ExpandUpcE(std::string_view upcE) noexcept {
    if (!IsShaped(upcE, 8)) {
        return std::nullopt;
    }
    const char sixth = upcE[6];
    const ZeroSuppression& rule = *std::ranges::find_if(
        kZeroSuppression, [sixth](const ZeroSuppression& r) { return sixth <= r.lastKey; });
    std::array<char, 12> gtin{};
    gtin[0] = upcE[0];
    for (std::size_t i = 0; i < rule.layout.size(); ++i) {
        const char place = rule.layout[i];
        gtin[i + 1] = place == '0' ? '0' : upcE[static_cast<std::size_t>(place - 'a') + 1];
    }
    gtin[11] = upcE[7];
    return gtin;
}

std::optional<std::array<char, 8>> CompressToUpcE(std::string_view gtin12) noexcept {
    if (!IsShaped(gtin12, 12)) {
        return std::nullopt;
    }
    const std::string_view middle = gtin12.substr(1, 10);
    for (const ZeroSuppression& rule : kZeroSuppression) {
        std::array<char, 8> upcE{};
        upcE[0] = gtin12[0];
        upcE[6] = rule.firstKey;
        upcE[7] = gtin12[11];
        bool fits = true;
        for (std::size_t i = 0; i < middle.size() && fits; ++i) {
            const char place = rule.layout[i];
            if (place == '0') {
                fits = middle[i] == '0';
            } else {
                upcE[static_cast<std::size_t>(place - 'a') + 1] = middle[i];
                fits = place != 'f' || (middle[i] >= rule.firstKey && middle[i] <= rule.lastKey);
            }
        }
        if (fits) {
            return upcE;
        }
    }
    return std::nullopt;
}

}  // namespace varnholt
