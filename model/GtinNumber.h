#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

namespace varnholt {

// The members of the EAN/UPC family a number's digits can be, told apart by their length.
enum class NumberFormat : std::uint8_t { Gtin8, Gtin12, Gtin13, Gtin14, Isbn10 };

// The name of each format, in the order of NumberFormat.
inline constexpr std::array<std::string_view, 5> kNumberFormatNames{"GTIN-8", "GTIN-12", "GTIN-13",
                                                                    "GTIN-14", "ISBN-10"};
static_assert(kNumberFormatNames.size() == static_cast<std::size_t>(NumberFormat::Isbn10) + 1,
              "one name per format");
// The characters of each format, in the order of NumberFormat.
inline constexpr std::array<std::size_t, 5> kNumberFormatLengths{8, 12, 13, 14, 10};
static_assert(kNumberFormatLengths.size() == kNumberFormatNames.size(), "one length per format");

constexpr std::size_t LengthOf(NumberFormat format) noexcept {
    return kNumberFormatLengths[static_cast<std::size_t>(format)];
}

// The name by which GS1 and ISO know the format: "GTIN-13", "ISBN-10", and so on.
constexpr std::string_view NameOf(NumberFormat format) noexcept {
    return kNumberFormatNames[static_cast<std::size_t>(format)];
}

// What a number's digits are and say. Plain arrays, so that reading a number allocates
// nothing; the views it gives point into the object itself.
struct GtinNumber {
    // The member of the family the length and characters make the number.
    NumberFormat format = NumberFormat::Gtin13;
    // Whether the last character is the number's check digit.
    bool valid = false;
    // The check digit the number ought to end in: '0' to '9', or 'X' for an ISBN-10's ten.
    char checkDigit = '0';
    // The GTIN in GS1's normal form of 14 digits, leading zeros added; set when valid.
    std::array<char, 14> gtin{};
    // The EAN-13 or EAN-8 whose country and fields apply, with its own right check digit
    // where it is not the number itself; set whether or not the number is valid.
    std::array<char, 13> ean{};
    std::uint8_t eanLength = 0;

    // The 14-digit GTIN; empty when the number is not valid.
    std::string_view Gtin() const noexcept {
        return valid ? std::string_view(gtin.data(), gtin.size()) : std::string_view();
    }
    // The 13 or 8 digits of the EAN whose facts apply.
    std::string_view Ean() const noexcept { return {ean.data(), eanLength}; }
};

// Reads the digits of a number, separators already dropped: 8, 12, 13 or 14 digits are a
// GTIN with a modulo-10 check digit; nine digits and a last digit, 'X' or 'x' an ISBN-10 with
// its modulo-11 one. Nothing for any other length or character; the caller words the fault.
std::optional<GtinNumber> GtinNumberOf(std::string_view digits) noexcept;

}  // namespace varnholt
