#include "model/Modulo10.h"

#include <cstdint>

#include "model/NumberText.h"

namespace varnholt {
namespace {

// The arithmetic is that of signed 16-bit integers: a value past this limit ends the sum.
constexpr std::int32_t kLimit = 32767;

// The weighted sum of the first `count` kept characters of `number`, one after the other as
// 16-bit arithmetic reaches it; -1 when a character is no digit or a value passes the limit.
std::int32_t LimitedSum(std::string_view number, std::size_t count) noexcept {
    // The rightmost character weighs 3; walking from the left, the first weighs 3 when the
    // count is odd.
    bool weightThree = count % 2 == 1;
    std::int32_t sum = 0;
    std::size_t seen = 0;
    for (const char c : number) {
        if (seen == count) {
            break;
        }
        if (IsSeparator(c)) {
            continue;
        }
        ++seen;
        const std::int32_t code = static_cast<unsigned char>(c);
        if (code > '9' || code < '0') {
            return -1;
        }
        // A weight-1 step adds the character code first and takes 48 off afterwards, so
        // its intermediate value counts against the limit too.
        const std::int32_t reached = weightThree ? (code - '0') * 3 + sum : code + sum;
        if (reached > kLimit) {
            return -1;
        }
        sum = weightThree ? reached : reached - '0';
        weightThree = !weightThree;
    }
    return sum;
}

// The weighted sum of a body of plain digits short enough that no value nears the limit;
// -1 for any other body, which LimitedSum then reads.
std::int32_t PlainSum(std::string_view body) noexcept {
    if (body.empty() || body.size() > kMaxUnlimitedDigits) {
        return -1;
    }
    return WeightedDigitSum(body);
}

}  // namespace

void Modulo10::SetCheckDigit(std::int32_t sum) noexcept {
    checkDigit_ = CheckDigitOfSum(sum);
}

bool Modulo10::ComputeCheckDigit(std::string_view number, std::size_t count) noexcept {
    if (count > static_cast<std::size_t>(kLimit)) {
        return false;
    }
    const std::int32_t sum = LimitedSum(number, count);
    if (sum < 0) {
        return false;
    }
    SetCheckDigit(sum);
    return true;
}

std::int16_t Modulo10::Calculate(std::string_view Number) {
    // Plain digits, the usual input, are summed in place; anything else is read the long way.
    if (const std::int32_t sum = PlainSum(Number); sum >= 0) {
        SetCheckDigit(sum);
        return checkDigit_;
    }
    return CalculateKept(Number);
}

std::size_t Modulo10::PrepareNumber(std::string_view number) noexcept {
    checkDigit_ = -1;
    return KeptLength(number);
}

std::int16_t Modulo10::CalculateKept(std::string_view number) noexcept {
    const std::size_t count = PrepareNumber(number);
    if (count != 0) {
        ComputeCheckDigit(number, count);
    }
    return checkDigit_;
}

bool Modulo10::Check(std::string_view Number) {
    if (Number.size() >= 2 && !IsSeparator(Number.back())) {
        const std::string_view body = Number.substr(0, Number.size() - 1);
        // An EAN-13's twelve, the usual body, in two words with the length known here.
        const std::int32_t sum = swar::kLittleEndian && body.size() == 12
                                     ? swar::WeightedDigitSum16(Number.substr(0, 12))
                                     : PlainSum(body);
        if (sum >= 0) {
            SetCheckDigit(sum);
            return static_cast<unsigned char>(Number.back()) - '0' == checkDigit_;
        }
    }
    return CheckKept(Number);
}

bool Modulo10::CheckKept(std::string_view number) noexcept {
    const std::size_t count = PrepareNumber(number);
    if (count <= 1) {
        return false;
    }
    if (!ComputeCheckDigit(number, count - 1)) {
        return false;
    }
    return static_cast<unsigned char>(LastKept(number)) - '0' == checkDigit_;
}

}  // namespace varnholt
