#pragma once

#include <array>
#include <cstdint>
#include <string_view>

#include "cli/LineReader.h"
#include "model/EAN.h"

namespace varnholt::cli {

// What a line holds: nothing but blanks, a valid number, a number with a wrong check digit,
// or something that is no number at all.
enum class Verdict : std::uint8_t { Blank, Valid, Invalid, Error };

// Why a line is no number.
enum class Fault : std::uint8_t { None, TooLong, NotADigit, WrongLength };

// Everything a line says, as the window's control would tell it for the same number.
struct NumberFacts {
    Verdict verdict = Verdict::Blank;
    // The line without the blanks around it; only its first bytes for a line too long.
    std::string_view number;
    // Country and fields of a valid or invalid number; empty for a line that is none. The
    // manufacturer code is empty for an EAN-8 number, which has none.
    std::string_view country;
    EAN::FieldTexts fields;
    // For a wrong check digit, the right one; otherwise -1.
    std::int16_t expectedCheckDigit = -1;

    Fault fault = Fault::None;
    // NotADigit: where the first character that is neither a digit, a blank nor a hyphen
    // stands in the line, from 1, and the rest of the line from there.
    std::uint64_t column = 0;
    std::string_view stray;
    // Valid, Invalid and WrongLength: the digits left once blanks and hyphens are dropped
    // (13 or 8 for a number). TooLong: the line's length in bytes.
    std::uint64_t count = 0;
};

// Blanks around a number that are no part of it: spaces, tabs, CR, vertical tabs, form feeds.
std::string_view TrimBlanksLongWay(std::string_view text) noexcept;

// Every blank is a byte up to the space.
constexpr bool MayBeBlank(char c) noexcept {
    return static_cast<unsigned char>(c) <= ' ';
}

// The text without the blanks around it.
inline std::string_view TrimBlanks(std::string_view text) noexcept {
    // Most lines are a number alone, with nothing around it.
    if (!text.empty() && !MayBeBlank(text.front()) && !MayBeBlank(text.back())) {
        return text;
    }
    return TrimBlanksLongWay(text);
}

// Reads each line with varnholt::EAN and varnholt::CountryOf, the functions the control
// itself uses: a number is valid exactly when EAN::Check says so.
class NumberExaminer {
  public:
    // The line's verdict alone; quicker than Examine for a valid number.
    Verdict Judge(const Line& line) {
        // Most lines are a number alone, with nothing around it to trim.
        const std::string_view text = line.text;
        if (!line.TooLong() && !text.empty() && !MayBeBlank(text.front()) &&
            !MayBeBlank(text.back())) {
            return ean_.Check(text) ? Verdict::Valid : JudgeWrong(text, line);
        }
        return JudgeLongWay(line);
    }

    // Every fact about the line. The views point into the line and into this examiner and
    // stay valid until the next call.
    const NumberFacts& Examine(const Line& line);

  private:
    Verdict JudgeLongWay(const Line& line);
    // Invalid or Error for a trimmed text whose check has just failed; the fault of an Error
    // goes to facts_.
    Verdict JudgeWrong(std::string_view text, const Line& line);

    EAN ean_;
    // The digits of a number written with blanks or hyphens, without them.
    std::array<char, 13> digits_{};
    NumberFacts facts_;
};

}  // namespace varnholt::cli
