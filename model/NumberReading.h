#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace varnholt {

// Why a text is no number, and where: what every command and the window tell a person.
struct NumberFault {
    enum class Kind : std::uint8_t {
        None,
        NotADigit,     // a character that is neither a digit, a blank nor a hyphen
        WrongLength,   // digits, but not as many as a number has where it was read
        TooLong,       // a line too long to be held, let alone to be a number
        WrongAddOn,    // digits after a "+", but neither 2 nor 5 of them
        NoAddOnTaken,  // an add-on after a number whose symbol carries none
    };
    Kind kind = Kind::None;
    // NotADigit: where the character stands in the text as given, from 1, and the text from
    // that character on; NoAddOnTaken: the number's kind with its article ("an EAN-8").
    std::uint64_t column = 0;
    std::string_view rest;
    // WrongLength: the digits the text holds; TooLong: the line's length in bytes;
    // WrongAddOn: the add-on's digits.
    std::uint64_t count = 0;
    // WrongLength: the lengths a number has where it was read, in the order they are told.
    std::span<const std::size_t> lengths;

    explicit operator bool() const noexcept { return kind != Kind::None; }

    static NumberFault WrongLength(std::uint64_t digits,
                                   std::span<const std::size_t> lengths) noexcept {
        return {Kind::WrongLength, 0, {}, digits, lengths};
    }
    static NumberFault TooLong(std::uint64_t bytes) noexcept {
        return {Kind::TooLong, 0, {}, bytes, {}};
    }
    static NumberFault WrongAddOn(std::uint64_t digits) noexcept {
        return {Kind::WrongAddOn, 0, {}, digits, {}};
    }
    static NumberFault NoAddOnTaken(std::string_view kind) noexcept {
        return {Kind::NoAddOnTaken, 0, kind, 0, {}};
    }
};

// The fault in words: "\"O\" at column 6 is not a digit", "byte 0x00 at column 5 is not a
// digit" (for a byte that shows as no character), "12 digits, not 13 or 8", "line too long to
// be a number (5000 bytes)", "an add-on has 2 or 5 digits, not 3", "an EAN-8 takes no
// add-on; an EAN-13, UPC-A or UPC-E does". Empty for no fault.
std::string Describe(const NumberFault& fault);

// The wording of a wrong check digit, the same wherever it is told: "check digit 2 is wrong,
// 540010110997 needs 1" for the digit `given` after `body`, which needs `needed`.
std::string WrongCheckDigit(char given, std::string_view body, char needed);

// The text without the blanks around it, which are no part of a number: spaces, tabs, CR,
// vertical tabs and form feeds.
std::string_view TrimBlanks(std::string_view text) noexcept;

// A number text as read: its digits, and those of an add-on after a "+", or the first
// character that keeps it from being a number.
struct NumberReading {
    std::string_view text;    // the text without the blanks around it; empty when it is blank
    std::string_view digits;  // the number's digits, separators dropped; the first kMostDigits
    std::uint64_t count = 0;  // how many digits the number holds, also past kMostDigits
    bool hasAddOn = false;    // whether a "+" follows the number
    std::string_view addOn;   // the add-on's digits; the first kMostDigits
    std::uint64_t addOnCount = 0;
    NumberFault fault;  // NotADigit, or none
};

// The family's rule for an add-on after a "+": only an EAN-13, UPC-A or UPC-E carries one,
// of 2 or 5 digits. `takesNone` names a number whose symbol carries none, with its article
// ("an EAN-8", "a GTIN-14"), and is empty for one that does. No fault without an add-on.
NumberFault AddOnFault(const NumberReading& reading, std::string_view takesNone) noexcept;

// Reads number texts as every part of the program does: the blanks around a text are no part
// of it, blanks and hyphens inside it are separators, dropped as EAN::Check drops them, and
// every other character must be a digit, but for two: the check digit of an ISBN-10 may be X
// (the last character after nine digits), and a "+" puts an add-on's digits after the number.
class NumberReader {
  public:
    // More digits than any number has, with room to spare; a longer text is still counted.
    static constexpr std::size_t kMostDigits = 24;

    // Reads `text`. The reading's views point into the text and into this reader, and stay
    // valid until the next call.
    const NumberReading& Read(std::string_view text);

  private:
    std::array<char, kMostDigits> buffer_{};
    std::array<char, kMostDigits> addOnBuffer_{};
    NumberReading reading_;
};

}  // namespace varnholt
