#include "model/GtinNumber.h"

#include <algorithm>
#include <cstring>

#include "model/Digit.h"
#include "model/Modulo10.h"
#include "model/NumberText.h"

namespace varnholt {
namespace {

// The prefix that makes an ISBN-10 a GTIN-13, its check digit recomputed.
constexpr std::string_view kBooklandPrefix = "978";

constexpr char DigitChar(std::int32_t value) noexcept {
    return static_cast<char>('0' + value);
}

// GS1's normal form: the digits at the right of 14, zeros in front.
void PadToGtin14(std::string_view digits, std::array<char, 14>& gtin) noexcept {
    const std::size_t zeros = gtin.size() - digits.size();
    std::fill_n(gtin.data(), zeros, '0');
    std::memcpy(gtin.data() + zeros, digits.data(), digits.size());
}

void SetEan(GtinNumber& number, std::string_view digits) noexcept {
    std::memcpy(number.ean.data(), digits.data(), digits.size());
    number.eanLength = static_cast<std::uint8_t>(digits.size());
}

std::optional<GtinNumber> ReadGtin(std::string_view digits, NumberFormat format) noexcept {
    const std::int32_t sum = WeightedDigitSum(digits.substr(0, digits.size() - 1));
    if (sum < 0 || !IsDigit(digits.back())) {
        return std::nullopt;
    }
    GtinNumber number;
    number.format = format;
    number.checkDigit = DigitChar(Modulo10::CheckDigitOfSum(sum));
    number.valid = digits.back() == number.checkDigit;
    if (number.valid) {
        PadToGtin14(digits, number.gtin);
    }
    switch (format) {
        case NumberFormat::Gtin12:
            number.ean[0] = '0';
            std::memcpy(number.ean.data() + 1, digits.data(), 12);
            number.eanLength = 13;
            break;
        case NumberFormat::Gtin14: {
            // The leading indicator digit weighs 3 and the twelve after it weigh as they do
            // in the GTIN-13 inside, so that one's sum is the whole sum without the first.
            SetEan(number, digits.substr(1, 12));
            const std::int32_t innerSum = sum - 3 * (digits[0] - '0');
            number.ean[12] = DigitChar(Modulo10::CheckDigitOfSum(innerSum));
            number.eanLength = 13;
            break;
        }
        default:
            SetEan(number, digits);
            break;
    }
    return number;
}

std::optional<GtinNumber> ReadIsbn10(std::string_view digits) noexcept {
    GtinNumber number;
    number.format = NumberFormat::Isbn10;
    SetEan(number, kBooklandPrefix);
    std::memcpy(number.ean.data() + kBooklandPrefix.size(), digits.data(), 9);
    // The GTIN-13's sum also tells whether the first nine are digits.
    const std::int32_t sum = WeightedDigitSum(std::string_view(number.ean.data(), 12));
    const char last = digits[9] == 'x' ? 'X' : digits[9];
    if (sum < 0 || !(IsDigit(last) || last == 'X')) {
        return std::nullopt;
    }
    number.ean[12] = DigitChar(Modulo10::CheckDigitOfSum(sum));
    number.eanLength = 13;

    // Weights 10 down to 2; the check digit tops the sum up to a multiple of 11.
    std::int32_t isbnSum = 0;
    for (std::size_t i = 0; i < 9; ++i) {
        isbnSum += static_cast<std::int32_t>(10 - i) * (digits[i] - '0');
    }
    const std::int32_t check = (11 - isbnSum % 11) % 11;
    number.checkDigit = check == 10 ? 'X' : DigitChar(check);
    number.valid = last == number.checkDigit;
    if (number.valid) {
        PadToGtin14(number.Ean(), number.gtin);
    }
    return number;
}

}  // namespace

std::optional<GtinNumber> GtinNumberOf(std::string_view digits) noexcept {
    switch (digits.size()) {
        case 8:
            return ReadGtin(digits, NumberFormat::Gtin8);
        case 10:
            return ReadIsbn10(digits);
        case 12:
            return ReadGtin(digits, NumberFormat::Gtin12);
        case 13:
            return ReadGtin(digits, NumberFormat::Gtin13);
        case 14:
            return ReadGtin(digits, NumberFormat::Gtin14);
        default:
            return std::nullopt;
    }
}

}  // namespace varnholt
