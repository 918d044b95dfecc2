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
// What the prefix adds to the weighted sum of a GTIN-13's first twelve: weights 1, 3, 1.
constexpr std::int32_t kBooklandSum = 9 * 1 + 7 * 3 + 8 * 1;

constexpr char DigitChar(std::int32_t value) noexcept {
    return static_cast<char>('0' + value);
}

// GS1's normal form: the digits at the right of 14, zeros in front.
template <std::size_t kSize>
void PadToGtin14(const char* digits, std::array<char, 14>& gtin) noexcept {
    constexpr std::size_t kZeros = 14 - kSize;
    std::fill_n(gtin.data(), kZeros, '0');
    std::memcpy(gtin.data() + kZeros, digits, kSize);
}

void SetEan(GtinNumber& number, std::string_view digits) noexcept {
    std::memcpy(number.ean.data(), digits.data(), digits.size());
    number.eanLength = static_cast<std::uint8_t>(digits.size());
}

// A GTIN of kSize digits, its check digit last. One function a length, so that every copy
// is of a size known here.
template <std::size_t kSize, NumberFormat kFormat>
std::optional<GtinNumber> ReadGtin(const char* digits) noexcept {
    // One object returned from every path, built where the caller receives it: a copy of
    // what was just stored would wait for those stores.
    std::optional<GtinNumber> read;
    const std::int32_t sum = WeightedDigitSum(std::string_view(digits, kSize - 1));
    if (sum < 0 || !IsDigit(digits[kSize - 1])) {
        return read;
    }
    GtinNumber& number = read.emplace();
    number.format = kFormat;
    number.checkDigit = DigitChar(Modulo10::CheckDigitOfSum(sum));
    number.valid = digits[kSize - 1] == number.checkDigit;
    if (number.valid) {
        PadToGtin14<kSize>(digits, number.gtin);
    }
    if constexpr (kFormat == NumberFormat::Gtin12) {
        number.ean[0] = '0';
        std::memcpy(number.ean.data() + 1, digits, 12);
        number.eanLength = 13;
    } else if constexpr (kFormat == NumberFormat::Gtin14) {
        // The leading indicator digit weighs 3 and the twelve after it weigh as they do in
        // the GTIN-13 inside, so that one's sum is the whole sum without the first.
        std::memcpy(number.ean.data(), digits + 1, 12);
        const std::int32_t innerSum = sum - 3 * (digits[0] - '0');
        number.ean[12] = DigitChar(Modulo10::CheckDigitOfSum(innerSum));
        number.eanLength = 13;
    } else {
        std::memcpy(number.ean.data(), digits, kSize);
        number.eanLength = kSize;
    }
    return read;
}

std::optional<GtinNumber> ReadIsbn10(std::string_view digits) noexcept {
    std::optional<GtinNumber> read;  // returned from every path, as ReadGtin's
    // The GTIN-13's sum, the prefix's share added, also tells whether the nine are digits.
    const std::int32_t nineSum = WeightedDigitSum(digits.substr(0, 9));
    const char last = digits[9] == 'x' ? 'X' : digits[9];
    if (nineSum < 0 || !(IsDigit(last) || last == 'X')) {
        return read;
    }
    GtinNumber& number = read.emplace();
    number.format = NumberFormat::Isbn10;
    SetEan(number, kBooklandPrefix);
    std::memcpy(number.ean.data() + kBooklandPrefix.size(), digits.data(), 9);
    const std::int32_t sum = nineSum + kBooklandSum;
    const char gtinCheckDigit = DigitChar(Modulo10::CheckDigitOfSum(sum));
    number.ean[12] = gtinCheckDigit;
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
        number.gtin[0] = '0';
        kBooklandPrefix.copy(number.gtin.data() + 1, kBooklandPrefix.size());
        std::memcpy(number.gtin.data() + 4, digits.data(), 9);
        number.gtin[13] = gtinCheckDigit;
    }
    return read;
}

}  // namespace

std::optional<GtinNumber> GtinNumberOf(std::string_view digits) noexcept {
    switch (digits.size()) {
        case 8:
            return ReadGtin<8, NumberFormat::Gtin8>(digits.data());
        case 10:
            return ReadIsbn10(digits);
        case 12:
            return ReadGtin<12, NumberFormat::Gtin12>(digits.data());
        case 13:
            return ReadGtin<13, NumberFormat::Gtin13>(digits.data());
        case 14:
            return ReadGtin<14, NumberFormat::Gtin14>(digits.data());
        default:
            return std::nullopt;
    }
}

}  // namespace varnholt
