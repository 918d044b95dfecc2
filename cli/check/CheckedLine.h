#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

#include "catalogue/LineReader.h"
#include "model/EAN.h"
#include "model/GtinNumber.h"
#include "model/Modulo10.h"
#include "model/NumberReading.h"
#include "model/NumberText.h"
#include "model/gs1/DigitalLink.h"
#include "model/gs1/Reading.h"

namespace varnholt::cli {

using catalogue::IsDigitsAlone;
using catalogue::kLongestLine;
using catalogue::Line;

// What a line holds: nothing but blanks, a valid number, a number with a wrong check digit,
// or something that is no number at all.
enum class Verdict : std::uint8_t { Blank, Valid, Invalid, Error };

// Everything a line says, as the window's control would tell it for the same number.
struct CheckedLine {
    Verdict verdict = Verdict::Blank;
    // The line without the blanks around it; only its first bytes for a line too long.
    std::string_view number;
    // The member of the family a valid or invalid number is ("GTIN-13"); empty otherwise.
    std::string_view format;
    bool gtin8 = false;
    // The number in GS1's normal form of 14 digits; only for a valid number.
    std::string_view gtin;
    // Country and fields of a valid or invalid number, those of the GTIN-13 it stands for
    // (a GTIN-8's own); empty for a line that is none. The manufacturer code is empty for a
    // GTIN-8, which has none.
    std::string_view country;
    EAN::FieldTexts fields;
    // For a wrong check digit, the right one ('0' to '9', 'X' for an ISBN-10); otherwise 0.
    char expectedCheckDigit = 0;
    // Why a line of the verdict Error is no number.
    NumberFault fault;
    // GS1 data alone: its bracketed normal form and its Digital Link URI (empty without a
    // primary key) when valid, and why it is refused when invalid.
    std::string_view elementString;
    std::string_view digitalLink;
    std::string_view gs1Fault;
};

// The formats of GS1 data's rows, and their short names in the table.
inline constexpr std::string_view kElementStringFormat = "GS1 element string";
inline constexpr std::string_view kDigitalLinkFormat = "GS1 Digital Link";
inline constexpr std::string_view kElementStringShort = "GS1";
inline constexpr std::string_view kDigitalLinkShort = "GS1 DL";

// Whether a line, without the blanks before it, is GS1 data rather than a number: bracketed
// text, scanner data after its symbology identifier, or a Digital Link URI.
inline bool IsGs1Data(std::string_view text) noexcept {
    return !text.empty() && (text[0] == '(' || text[0] == ']' || text.starts_with("http://") ||
                             text.starts_with("https://"));
}

// How GS1 data is read and written: the Digital Link's stem, and whether the AIs' req= and
// ex= associations are checked.
struct Gs1Options {
    std::string stem = std::string(gs1::kGs1Stem);
    gs1::ReadOptions read;
};

// Checks lines as numbers of the GTIN family (GTIN-8, -12, -13, -14 and ISBN-10, an add-on
// of 2 or 5 digits allowed after a "+"), reads what is no number as every command reads a
// number, and takes country and fields from varnholt::EAN and varnholt::CountryOf, the
// functions the control itself uses. A line of GS1 data (IsGs1Data) is read by varnholt::gs1,
// and its (01)'s GTIN gets the facts of a GTIN-14.
class LineChecker {
  public:
    // How the lines of GS1 data that follow are read and written.
    void SetGs1(Gs1Options gs1) { gs1_ = std::move(gs1); }

    // The line's verdict alone, quicker than Check for a number's digits alone; `line` as a
    // LineReader hands it out, with bytes to read past a short one.
    Verdict Judge(const Line& line) {
        // Most lines are a GTIN-13's digits alone: their weighted sum, -1 when one of the
        // first twelve is no digit, tells the check digit, and nothing needs splitting.
        const std::string_view text = line.text;
        if (text.size() == 13 && !line.TooLong()) {
            const std::int32_t sum = WeightedDigitSum(text.substr(0, 12));
            if (sum >= 0 && text[12] == static_cast<char>('0' + Modulo10::CheckDigitOfSum(sum))) {
                return Verdict::Valid;
            }
        }
        // The rest of the family's digits alone need no reading either.
        if (text.size() >= 8 && !line.TooLong() && IsDigitsAlone(line)) {
            if (const std::optional<GtinNumber> number = GtinNumberOf(text)) {
                return number->valid ? Verdict::Valid : Verdict::Invalid;
            }
        }
        // GS1 data needs no forms written for its verdict.
        if (const std::string_view trimmed = TrimBlanks(text);
            !line.TooLong() && IsGs1Data(trimmed)) {
            return ReadGs1(trimmed) ? Verdict::Valid : Verdict::Invalid;
        }
        return Check(line).verdict;
    }

    // Every fact about the line. The views point into the line and into this checker and
    // stay valid until the next call.
    const CheckedLine& Check(const Line& line);

  private:
    // The facts of a number of the family that EAN::Check has just checked as `ean`.
    void TakeFacts(std::string_view ean);
    // GS1 data read into gs1Reading_ as its first character says, `text` without the blanks
    // around it.
    Result<Done> ReadGs1(std::string_view text);
    // The facts of GS1 data.
    void CheckGs1(std::string_view text);

    EAN ean_;
    NumberReader reader_;
    GtinNumber number_;
    std::array<char, 14> gtin_{};
    CheckedLine checked_;
    Gs1Options gs1_;
    gs1::Reading gs1Reading_;
    std::string elementString_;
    std::string digitalLink_;
    std::string gs1Fault_;
};

}  // namespace varnholt::cli
