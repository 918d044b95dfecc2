#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace varnholt {

// The weighted modulo-10 check digit of EAN/GS1 numbers: data digits weigh 3 and 1
// alternately, 3 at the rightmost one, and the check digit tops the weighted sum up to the
// next multiple of ten. Blanks and hyphens are ignored anywhere; nothing is ever thrown.
class Modulo10 {
  public:
    // The check digit of the last Calculate or Check, 0 to 9, or -1 when there was none.
    std::int16_t CheckDigit() const noexcept { return checkDigit_; }

    // The check digit 0 to 9 of `Number` (data digits only), or -1 when the text is empty,
    // holds anything but digits, blanks and hyphens, or is too long for 16-bit arithmetic.
    // Leaves the result in CheckDigit.
    std::int16_t Calculate(std::string_view Number);

    // True when the last character of `Number` is the check digit of the characters before
    // it. CheckDigit then holds the digit computed for those characters, or -1 when none
    // could be computed.
    bool Check(std::string_view Number);

    // The check digit that tops a weighted sum (see WeightedDigitSum) up to a multiple of ten.
    static constexpr std::int16_t CheckDigitOfSum(std::int32_t sum) noexcept {
        // The sums of an EAN's 12 digits and fewer are looked up without a division.
        if (sum >= 0 && sum < static_cast<std::int32_t>(SmallSumCheckDigits.size())) {
            return SmallSumCheckDigits[static_cast<std::size_t>(sum)];
        }
        return Complements[static_cast<std::size_t>(sum % 10)];
    }

  private:
    // Calculate and Check the long way: blanks and hyphens skipped, non-digits, long bodies.
    // Kept out of line, so that the plain case needs no stack frame of theirs.
    std::int16_t CalculateKept(std::string_view number) noexcept;
    bool CheckKept(std::string_view number) noexcept;
    // Resets CheckDigit and counts what is left of `number` once every blank and hyphen is
    // dropped. The digits are then read where they stand, skipping those, not from a copy.
    std::size_t PrepareNumber(std::string_view number) noexcept;
    // Sets CheckDigit from a weighted sum.
    void SetCheckDigit(std::int32_t sum) noexcept;
    // Sets CheckDigit from the first `count` characters of `number` that are neither blanks
    // nor hyphens; false, with CheckDigit untouched, when one of them is no digit or a value
    // passes the 16-bit limit.
    bool ComputeCheckDigit(std::string_view number, std::size_t count) noexcept;

    // Entry i is (10 - i) mod 10: the digit that tops a sum ending in i up to a multiple of 10.
    static constexpr std::array<std::int16_t, 10> Complements{0, 9, 8, 7, 6, 5, 4, 3, 2, 1};
    // The check digit of every sum up to 255.
    static constexpr std::array<std::uint8_t, 256> SmallSumCheckDigits = [] {
        std::array<std::uint8_t, 256> digits{};
        for (std::size_t sum = 0; sum < digits.size(); ++sum) {
            digits[sum] = static_cast<std::uint8_t>(Complements[sum % 10]);
        }
        return digits;
    }();

    std::int16_t checkDigit_ = -1;
};

}  // namespace varnholt
