#include "model/LeadingNumber.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>
#include <system_error>

#include "model/Digit.h"

namespace varnholt {
namespace {

// Longest run of digits [from, result) in text.
std::size_t SkipDigits(std::string_view text, std::size_t from) noexcept {
    while (from < text.size() && IsDigit(text[from])) {
        ++from;
    }
    return from;
}

// The shape of a number found in a text: where its unsigned part starts and ends.
struct NumberShape {
    std::size_t start = 0;  // first character after the sign
    std::size_t end = 0;    // one past the last character read; 0 when there is no number
    bool negative = false;
    bool plainInteger = true;  // no point and no exponent
    std::size_t integerDigits = 0;
};

NumberShape FindShape(std::string_view text) noexcept {
    NumberShape shape;
    std::size_t i = 0;
    while (i < text.size() && text[i] == ' ') {
        ++i;
    }
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        shape.negative = text[i] == '-';
        ++i;
    }
    shape.start = i;
    std::size_t end = SkipDigits(text, i);
    shape.integerDigits = end - i;
    std::size_t digits = shape.integerDigits;
    if (end < text.size() && text[end] == '.') {
        const std::size_t fractionEnd = SkipDigits(text, end + 1);
        digits += fractionEnd - end - 1;
        end = fractionEnd;
        shape.plainInteger = false;
    }
    if (digits == 0) {
        return NumberShape{};
    }
    if (end < text.size() && (text[end] == 'e' || text[end] == 'E')) {
        std::size_t exponent = end + 1;
        if (exponent < text.size() && (text[exponent] == '+' || text[exponent] == '-')) {
            ++exponent;
        }
        const std::size_t exponentEnd = SkipDigits(text, exponent);
        if (exponentEnd > exponent) {
            end = exponentEnd;
            shape.plainInteger = false;
        }
    }
    shape.end = end;
    return shape;
}

// Beyond the range of double the conversion gives no value. Whether the number overflowed or
// underflowed follows from the decimal position of its first significant digit plus its
// exponent, both of which are far from zero when the conversion is out of range.
double OutOfRangeMagnitude(std::string_view number) noexcept {
    constexpr long long kSaturation = 1'000'000'000;
    long long position = 0;
    bool significant = false;
    bool fraction = false;
    std::size_t i = 0;
    for (; i < number.size() && number[i] != 'e' && number[i] != 'E'; ++i) {
        if (number[i] == '.') {
            fraction = true;
        } else if (!significant && number[i] != '0') {
            significant = true;
            position = fraction ? position : 1;
        } else if (significant != fraction) {
            // integer digits after the first significant one, or leading zeros of a fraction
            position += fraction ? -1 : 1;
        }
        position = std::min(position, kSaturation);
    }
    long long exponent = 0;
    bool negativeExponent = false;
    if (i < number.size()) {
        ++i;
        if (i < number.size() && (number[i] == '+' || number[i] == '-')) {
            negativeExponent = number[i++] == '-';
        }
        for (; i < number.size(); ++i) {
            exponent = std::min(exponent * 10 + (number[i] - '0'), kSaturation);
        }
    }
    const long long decimalPosition = position + (negativeExponent ? -exponent : exponent);
    return decimalPosition > 0 ? std::numeric_limits<double>::infinity() : 0.0;
}

double Magnitude(std::string_view text, const NumberShape& shape) noexcept {
    const std::string_view number = text.substr(shape.start, shape.end - shape.start);
    // Up to 15 digits are exact in a double: add them up without the general conversion.
    if (shape.plainInteger && shape.integerDigits <= 15) {
        double value = 0.0;
        for (const char c : number) {
            value = value * 10.0 + (c - '0');
        }
        return value;
    }
    double value = 0.0;
    const auto [end, error] = std::from_chars(number.data(), number.data() + number.size(), value);
    if (error == std::errc::result_out_of_range) {
        return OutOfRangeMagnitude(number);
    }
    return error == std::errc{} ? value : 0.0;
}

}  // namespace

LeadingNumber ReadLeadingNumber(std::string_view text) noexcept {
    const NumberShape shape = FindShape(text);
    if (shape.end == 0) {
        return {};
    }
    const double magnitude = Magnitude(text, shape);
    return {shape.negative ? -magnitude : magnitude, shape.end};
}

bool IsNumericText(std::string_view text) noexcept {
    const std::size_t end = FindShape(text).end;
    if (end == 0) {
        return false;
    }
    return text.find_first_not_of(' ', end) == std::string_view::npos;
}

}  // namespace varnholt
