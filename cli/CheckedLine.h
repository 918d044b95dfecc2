#pragma once

#include <cstdint>
#include <string_view>

#include "cli/LineReader.h"
#include "model/EAN.h"
#include "model/NumberReading.h"

namespace varnholt::cli {

// What a line holds: nothing but blanks, a valid number, a number with a wrong check digit,
// or something that is no number at all.
enum class Verdict : std::uint8_t { Blank, Valid, Invalid, Error };

// Everything a line says, as the window's control would tell it for the same number.
struct CheckedLine {
    Verdict verdict = Verdict::Blank;
    // The line without the blanks around it; only its first bytes for a line too long.
    std::string_view number;
    // The digits of a number: 13 or 8.
    std::size_t digits = 0;
    // Country and fields of a valid or invalid number; empty for a line that is none. The
    // manufacturer code is empty for an EAN-8 number, which has none.
    std::string_view country;
    EAN::FieldTexts fields;
    // For a wrong check digit, the right one; otherwise -1.
    std::int16_t expectedCheckDigit = -1;
    // Why a line of the verdict Error is no number.
    NumberFault fault;
};

// Checks lines with varnholt::EAN and varnholt::CountryOf, the functions the control itself
// uses, and reads what is no number as every command reads a number: a number is valid
// exactly when EAN::Check says so.
class LineChecker {
  public:
    // The line's verdict alone; quicker than Check for a valid number.
    Verdict Judge(const Line& line) {
        // Most lines are a number alone, with nothing around it and nothing to drop.
        const std::string_view text = line.text;
        if ((text.size() == 13 || text.size() == 8) && !line.TooLong() && ean_.Check(text)) {
            return Verdict::Valid;
        }
        return Check(line).verdict;
    }

    // Every fact about the line. The views point into the line and into this checker and
    // stay valid until the next call.
    const CheckedLine& Check(const Line& line);

  private:
    EAN ean_;
    NumberReader reader_;
    CheckedLine checked_;
};

}  // namespace varnholt::cli
