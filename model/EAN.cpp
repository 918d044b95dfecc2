#include "model/EAN.h"

#include <algorithm>
#include <cstring>
#include <string>

#include "model/Digit.h"
#include "model/LeadingNumber.h"
#include "model/NumberText.h"

namespace varnholt {

std::optional<std::string_view> EAN::PrepareNumber(std::string_view number,
                                                   NumberBuffer& buffer) noexcept {
    checkDigit_ = -1;
    bodyLength_ = 0;
    if (!HasSeparator(number)) {
        return number;
    }
    const std::size_t count = KeptLength(number);
    if (count > buffer.size()) {
        return std::nullopt;
    }
    CopyKept(number, buffer.data());
    return std::string_view(buffer.data(), count);
}

CodePart EAN::NumberSystem() const {
    if (bodyLength_ == 0) {
        return std::int16_t{0};
    }
    return std::string(Fields().numberSystem);
}

CodePart EAN::ManufacturerCode() const {
    if (bodyLength_ == 0) {
        return std::int16_t{0};
    }
    if (bodyLength_ == 7) {
        return std::int16_t{-1};
    }
    return std::string(Fields().manufacturerCode);
}

CodePart EAN::ProductCode() const {
    if (bodyLength_ == 0) {
        return std::int16_t{0};
    }
    return std::string(Fields().productCode);
}

std::int16_t EAN::NumberSystemLength(std::string_view body) const noexcept {
    // Two digits, the usual start, index a table; anything else is read as a number.
    static constexpr std::array<bool, 100> kTwoDigitLeads = [] {
        std::array<bool, 100> leads{};
        for (const std::int16_t prefix : TwoDigitPrefixes) {
            leads[static_cast<std::size_t>(prefix)] = true;
        }
        return leads;
    }();
    if (body.size() >= 2 && IsDigit(body[0]) && IsDigit(body[1])) {
        const auto lead = static_cast<std::size_t>((body[0] - '0') * 10 + (body[1] - '0'));
        return kTwoDigitLeads[lead] ? 2 : 3;
    }
    const double lead = ReadLeadingNumber(body.substr(0, 2)).value;
    const bool twoDigits = std::ranges::any_of(
        TwoDigitPrefixes, [lead](std::int16_t prefix) { return prefix == lead; });
    return twoDigits ? 2 : 3;
}

void EAN::KeepBody(std::string_view body) noexcept {
    // Copies of a fixed length, which need no loop and no call.
    if (body.size() == 12) {
        std::memcpy(body_.data(), body.data(), 12);
    } else {
        std::memcpy(body_.data(), body.data(), 7);
    }
    bodyLength_ = static_cast<std::uint8_t>(body.size());
}

bool EAN::SplitNumber(std::string_view body) {
    checkDigit_ = -1;
    KeepBody(body);
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
    NumberBuffer buffer;
    const auto number = PrepareNumber(Number, buffer);
    if (number && (number->size() == 12 || number->size() == 7)) {
        SplitNumber(*number);
    }
    return checkDigit_;
}

bool EAN::Check(std::string_view Number) {
    // 13 or 8 plain digits, the usual input, are read where they stand: no search for blanks
    // and hyphens, no copy without them. A body of 12 or 7 characters has a sum only when
    // all are digits, so neither blanks nor hyphens stand in it.
    if (Number.size() == 13 || Number.size() == 8) {
        const std::string_view body = Number.substr(0, Number.size() - 1);
        // Twelve digits, most of all, in two words, with the lengths known here.
        const std::int32_t sum = swar::kLittleEndian && body.size() == 12
                                     ? swar::WeightedDigitSum16(Number.substr(0, 12))
                                     : WeightedDigitSum(body);
        if (sum >= 0 && IsDigit(Number.back())) {
            KeepBody(body);
            checkDigit_ = Modulo10::CheckDigitOfSum(sum);
            return Number.back() - '0' == checkDigit_;
        }
    }
    return CheckKept(Number);
}

bool EAN::CheckKept(std::string_view Number) {
    NumberBuffer buffer;
    const auto number = PrepareNumber(Number, buffer);
    if (!number || (number->size() != 13 && number->size() != 8)) {
        return false;
    }
    if (!SplitNumber(number->substr(0, number->size() - 1))) {
        return false;
    }
    return static_cast<unsigned char>(number->back()) - '0' == checkDigit_;
}

}  // namespace varnholt
