#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "model/CodePart.h"
#include "model/Modulo10.h"

namespace varnholt {

// Verifies EAN-13 and EAN-8 numbers, computes their check digits and splits them into
// number system, manufacturer code and product code. Each call first resets every result,
// so the read-only properties always describe the last call alone. Nothing is ever thrown.
class EAN {
  public:
    // Check digit of the body processed by the last call, 0 to 9; -1 when there was none.
    std::int16_t CheckDigit() const noexcept { return checkDigit_; }
    // Manufacturer code cut from the last number; the integer -1 for EAN-8, 0 when not set.
    CodePart ManufacturerCode() const;
    // The leading 2 or 3 characters of the last number; the integer 0 when not set.
    CodePart NumberSystem() const;
    // Product code cut from the last number; the integer 0 when not set.
    CodePart ProductCode() const;

    // The same three fields as views into this object, valid until its next call: empty when
    // not set, and the manufacturer code empty for EAN-8 too. Reading them copies nothing.
    struct FieldTexts {
        std::string_view numberSystem;
        std::string_view manufacturerCode;
        std::string_view productCode;
    };
    // Here, where the caller takes the three views in as they are made.
    FieldTexts Fields() const noexcept {
        if (bodyLength_ == 0) {
            return {};
        }
        const char* body = body_.data();
        const auto systemLength =
            static_cast<std::size_t>(NumberSystemLength(std::string_view(body, bodyLength_)));
        const std::string_view system(body, systemLength);
        if (bodyLength_ == 7) {
            return {system, {}, std::string_view(body + systemLength, 7 - systemLength)};
        }
        // Number system and manufacturer code always share the first seven characters.
        return {system, std::string_view(body + systemLength, 7 - systemLength),
                std::string_view(body + 7, 5)};
    }

    // Check digit of a 12-digit (EAN-13) or 7-digit (EAN-8) body, blanks and hyphens
    // allowed anywhere; -1 for any other length or a body holding a non-digit.
    std::int16_t Calculate(std::string_view Number);
    // True when a complete 13- or 8-digit number ends in the right check digit. The split
    // fields are filled from the body even when it holds a non-digit.
    bool Check(std::string_view Number);

  private:
    // Room for the longest number once its blanks and hyphens are dropped.
    using NumberBuffer = std::array<char, 13>;
    // Resets the four results, then drops every blank and hyphen: gives the text itself when
    // it holds none, else a copy in `buffer`; nothing when the rest is longer than any EAN.
    std::optional<std::string_view> PrepareNumber(std::string_view number,
                                                  NumberBuffer& buffer) noexcept;
    // 2 when the first two characters read as a number in TwoDigitPrefixes, otherwise 3.
    std::int16_t NumberSystemLength(std::string_view body) const noexcept;
    // Keeps a 12- or 7-character body to cut the fields from when they are asked for.
    void KeepBody(std::string_view body) noexcept;
    // Keeps a 12- or 7-character body, then computes its check digit; false, with
    // CheckDigit -1, when no check digit could be computed.
    bool SplitNumber(std::string_view body);
    // Check the long way: blanks and hyphens dropped into a copy, and any length. Kept out
    // of line, so that the usual check needs no stack frame of its own.
    bool CheckKept(std::string_view number);

    // Leading two digits whose number system is two digits long; all others take three.
    static constexpr std::array<std::int16_t, 58> TwoDigitPrefixes{
        0,  1,  2,  3,  4,  5,  6,  7,  8,  9,  10, 11, 12, 13, 14, 15, 16, 17, 18, 19,
        20, 21, 22, 23, 24, 25, 26, 27, 28, 29, 30, 31, 32, 33, 34, 35, 36, 37, 45, 49,
        50, 54, 57, 64, 70, 73, 76, 80, 81, 82, 83, 84, 87, 90, 91, 93, 94, 99};

    std::int16_t checkDigit_ = -1;
    // The body the fields are cut from, kept as it stands: a check cuts nothing until a
    // field is asked for. No body after a reset.
    std::array<char, 12> body_{};
    std::uint8_t bodyLength_ = 0;
    // Made on first need and kept; held in place, so a check allocates nothing.
    std::optional<Modulo10> Calculator;
};

}  // namespace varnholt
