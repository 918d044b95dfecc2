#include "model/Modulo10.h"

#include <algorithm>
#include <cstdint>

namespace varnholt {
namespace {

// The arithmetic is that of signed 16-bit integers: a value past this limit ends the sum.
constexpr std::int32_t kLimit = 32767;

}  // namespace

void Modulo10::PrepareNumber(std::string& number) {
    checkDigit_ = -1;
    std::erase(number, ' ');
    std::erase(number, '-');
}

bool Modulo10::ComputeCheckDigit(std::string_view body) {
    if (body.size() > static_cast<std::size_t>(kLimit)) {
        return false;
    }
    // The rightmost character weighs 3; walking from the left, the first weighs 3 when the
    // count is odd.
    bool weightThree = body.size() % 2 == 1;
    std::int32_t sum = 0;
    for (const char c : body) {
        const std::int32_t code = static_cast<unsigned char>(c);
        if (code > '9' || code < '0') {
            return false;
        }
        // A weight-1 step adds the character code first and takes 48 off afterwards, so
        // its intermediate value counts against the limit too.
        const std::int32_t reached = weightThree ? (code - '0') * 3 + sum : code + sum;
        if (reached > kLimit) {
            return false;
        }
        sum = weightThree ? reached : reached - '0';
        weightThree = !weightThree;
    }
    checkDigit_ = Complements[static_cast<std::size_t>(sum % 10)];
    return true;
}

std::int16_t Modulo10::Calculate(std::string_view Number) {
    std::string number(Number);
    PrepareNumber(number);
    if (!number.empty()) {
        ComputeCheckDigit(number);
    }
    return checkDigit_;
}

bool Modulo10::Check(std::string_view Number) {
    std::string number(Number);
    PrepareNumber(number);
    if (number.size() <= 1) {
        return false;
    }
    const std::string_view body = std::string_view(number).substr(0, number.size() - 1);
    if (!ComputeCheckDigit(body)) {
        return false;
    }
    return static_cast<unsigned char>(number.back()) - '0' == checkDigit_;
}

}  // namespace varnholt
