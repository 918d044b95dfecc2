#include "model/EAN.h"

#include <algorithm>

#include "model/LeadingNumber.h"

namespace varnholt {
void EAN::PrepareNumber(std::string& number) {
    checkDigit_ = -1;
    manufacturerCode_ = std::int16_t{0};
    numberSystem_ = std::int16_t{0};
    productCode_ = std::int16_t{0};
    std::erase(number, ' ');
    std::erase(number, '-');
}

std::int16_t EAN::NumberSystemLength(std::string_view body) const noexcept {
    const double lead = ReadLeadingNumber(body.substr(0, 2)).value;
    const bool twoDigits = std::ranges::any_of(
        TwoDigitPrefixes, [lead](std::int16_t prefix) { return prefix == lead; });
    return twoDigits ? 2 : 3;
}

bool EAN::SplitNumber(std::string_view body) {
    const auto n = static_cast<std::size_t>(NumberSystemLength(body));
    numberSystem_ = std::string(body.substr(0, n));
    if (body.size() == 7) {
        manufacturerCode_ = std::int16_t{-1};
        productCode_ = std::string(body.substr(n, 7 - n));
    } else {
        // Number system and manufacturer code always share the first seven characters.
        manufacturerCode_ = std::string(body.substr(n, 7 - n));
        productCode_ = std::string(body.substr(7, 5));
    }
    if (!Calculator) {
        Calculator.emplace();
    }
    const std::int16_t digit = Calculator->Calculate(body);
    if (digit == -1) {
        return false;
    }
    checkDigit_ = Calculator->CheckDigit();
    return true;
}

std::int16_t EAN::Calculate(std::string_view Number) {
    std::string number(Number);
    PrepareNumber(number);
    if (number.size() == 12 || number.size() == 7) {
        SplitNumber(number);
    }
    return checkDigit_;
}

bool EAN::Check(std::string_view Number) {
    std::string number(Number);
    PrepareNumber(number);
    if (number.size() != 13 && number.size() != 8) {
        return false;
    }
    const std::string_view body = std::string_view(number).substr(0, number.size() - 1);
    if (!SplitNumber(body)) {
        return false;
    }
    return static_cast<unsigned char>(number.back()) - '0' == checkDigit_;
}

}  // namespace varnholt
