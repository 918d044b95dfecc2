#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "catalogue/LineReader.h"
#include "cli/check/CheckedLine.h"
#include "cli/check/LineNumberText.h"
#include "cli/check/OutputBuffer.h"

namespace varnholt::cli {

// csv and tsv rows of the usual line, a number's 8, 10, 12, 13 or 14 digits alone, made
// straight from the digits and written in moves of a fixed size: the bytes the general
// writer gives for the same line, at a fraction of its cost, which a catalogue of millions
// of lines feels. Any other line is left to the general writer.
class DigitRows {
  public:
    DigitRows(OutputBuffer& out, char delimiter);

    // The rows that follow are of the input named `file`, made safe. A name that csv must
    // quote, or a very long one, leaves that input's rows to the general writer.
    void StartFile(std::string_view file);

    // Writes the row of `line`, unless `invalidOnly` and the number is valid, and gives its
    // verdict, when the line is digits alone of a number's length; otherwise writes nothing
    // and gives nothing. LineReader::kReadable bytes from the line's start must be readable,
    // as they are in a LineReader's line and a DelimitedReader's field.
    std::optional<Verdict> Write(const Line& line, bool invalidOnly);

  private:
    // A country as the first three digits of an EAN tell it, kept where it can be copied in
    // one move; a longer name is looked up again.
    struct Country {
        std::array<char, 16> text{};
        std::size_t size = 0;
    };
    static std::array<Country, 1000> Countries();

    OutputBuffer& out_;
    const char delimiter_;
    bool enabled_ = false;
    std::string filePrefix_;  // the file's name and the delimiter after it, and room
    std::size_t prefixSize_ = 0;
    LineNumberText line_;
    // How many of an EAN's first digits are its number system, by its first two digits.
    std::array<std::uint8_t, 100> systemLength13_{};
    std::array<std::uint8_t, 100> systemLength8_{};
    std::array<Country, 1000> countries_;
};

}  // namespace varnholt::cli
