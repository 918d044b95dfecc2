#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace varnholt {

// Why a text is no number, and where: what every command and the window tell a person.
struct NumberFault {
    enum class Kind : std::uint8_t {
        None,
        NotADigit,    // a character that is neither a digit, a blank nor a hyphen
        WrongLength,  // digits, but not as many as a number has where it was read
        TooLong,      // a line too long to be held, let alone to be a number
    };
    Kind kind = Kind::None;
    // NotADigit: where the character stands in the text as given, from 1, and the text from
    // that character on.
    std::uint64_t column = 0;
    std::string_view rest;
    // WrongLength: the digits the text holds; TooLong: the line's length in bytes.
    std::uint64_t count = 0;
    // WrongLength: the lengths a number has where it was read, in words ("13 or 8").
    std::string_view lengths;

    explicit operator bool() const noexcept { return kind != Kind::None; }

    static NumberFault WrongLength(std::uint64_t digits, std::string_view lengths) noexcept {
        return {Kind::WrongLength, 0, {}, digits, lengths};
    }
    static NumberFault TooLong(std::uint64_t bytes) noexcept {
        return {Kind::TooLong, 0, {}, bytes, {}};
    }
};

// The fault in words: "\"O\" at column 6 is not a digit", "byte 0x00 at column 5 is not a
// digit" (for a byte that shows as no character), "12 digits, not 13 or 8", "line too long to
// be a number (5000 bytes)". Empty for no fault.
std::string Describe(const NumberFault& fault);

// The text without the blanks around it, which are no part of a number: spaces, tabs, CR,
// vertical tabs and form feeds.
std::string_view TrimBlanks(std::string_view text) noexcept;

// A number text as read: its digits, or the first character that keeps it from being a number.
struct NumberReading {
    std::string_view text;    // the text without the blanks around it; empty when it is blank
    std::string_view digits;  // its digits, blanks and hyphens dropped; the first kMostDigits
    std::uint64_t count = 0;  // how many digits the text holds, also past kMostDigits
    NumberFault fault;        // NotADigit, or none
};

// Reads number texts as every part of the program does: the blanks around a text are no part
// of it, blanks and hyphens inside it are separators, dropped as EAN::Check drops them, and
// every other character must be a digit.
class NumberReader {
  public:
    // More digits than any number has, with room to spare; a longer text is still counted.
    static constexpr std::size_t kMostDigits = 24;

    // Reads `text`. The reading's views point into the text and into this reader, and stay
    // valid until the next call.
    const NumberReading& Read(std::string_view text);

  private:
    std::array<char, kMostDigits> buffer_{};
    NumberReading reading_;
};

}  // namespace varnholt
