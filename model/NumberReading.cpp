#include "model/NumberReading.h"

#include <algorithm>
#include <span>

#include "model/Digit.h"
#include "model/NumberText.h"
#include "model/Utf8.h"

namespace varnholt {
namespace {

constexpr bool IsBlank(char c) noexcept {
    return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f';
}

// What the character at the start of `rest` is called: itself in quotes when it shows as a
// character, else its first byte. Built by appending: GCC 12 at -O3 sees overlapping copies
// in chains of std::string's operator+ that are not there.
void AppendCharacterName(std::string& out, std::string_view rest) {
    const Utf8Character character = Utf8CharacterAt(rest);
    if (character.length != 0 && !character.control) {
        out += '"';
        out.append(rest.substr(0, character.length));
        out += '"';
        return;
    }
    constexpr std::string_view kHex = "0123456789ABCDEF";
    const auto byte = static_cast<unsigned char>(rest.front());
    out.append("byte 0x");
    out += kHex[byte >> 4];
    out += kHex[byte & 0xF];
}

}  // namespace

std::string Describe(const NumberFault& fault) {
    std::string words;
    switch (fault.kind) {
        case NumberFault::Kind::None:
            break;
        case NumberFault::Kind::NotADigit:
            AppendCharacterName(words, fault.rest);
            words.append(" at column ").append(std::to_string(fault.column));
            words.append(" is not a digit");
            break;
        case NumberFault::Kind::WrongLength:
            words.append(std::to_string(fault.count));
            words.append(fault.count == 1 ? " digit, not " : " digits, not ");
            for (std::size_t i = 0; i < fault.lengths.size(); ++i) {
                if (i > 0) {
                    words.append(i + 1 == fault.lengths.size() ? " or " : ", ");
                }
                words.append(std::to_string(fault.lengths[i]));
            }
            break;
        case NumberFault::Kind::TooLong:
            words.append("line too long to be a number (").append(std::to_string(fault.count));
            words.append(" bytes)");
            break;
        case NumberFault::Kind::WrongAddOn:
            words.append("an add-on has 2 or 5 digits, not ").append(std::to_string(fault.count));
            break;
        case NumberFault::Kind::NoAddOnTaken:
            words.append(fault.rest).append(" takes no add-on; an EAN-13, UPC-A or UPC-E does");
            break;
    }
    return words;
}

std::string WrongCheckDigit(char given, std::string_view body, char needed) {
    std::string words = "check digit ";
    words.append(1, given).append(" is wrong, ").append(body).append(" needs ").append(1, needed);
    return words;
}

NumberFault AddOnFault(const NumberReading& reading, std::string_view takesNone) noexcept {
    if (!reading.hasAddOn) {
        return {};
    }
    if (!takesNone.empty()) {
        return NumberFault::NoAddOnTaken(takesNone);
    }
    if (reading.addOnCount != 2 && reading.addOnCount != 5) {
        return NumberFault::WrongAddOn(reading.addOnCount);
    }
    return {};
}

std::string_view TrimBlanks(std::string_view text) noexcept {
    while (!text.empty() && IsBlank(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && IsBlank(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

// The characters of `text` that are no separators, as many as `out` holds; how many those are.
std::size_t CopyKept(std::string_view text, std::span<char> out) noexcept {
    std::size_t kept = 0;
    for (const char c : text) {
        if (!IsSeparator(c) && kept < out.size()) {
            out[kept++] = c;
        }
    }
    return kept;
}

// Where in `part` the first character stands that is neither a digit nor a separator; an
// ISBN-10's check digit X passes as the last character after nine digits when `isbn` allows.
std::size_t FirstStray(std::string_view part, bool isbn) noexcept {
    const auto* stray =
        std::ranges::find_if(part, [](char c) { return !IsDigit(c) && !IsSeparator(c); });
    const auto index = static_cast<std::size_t>(stray - part.begin());
    if (stray == part.end()) {
        return std::string_view::npos;
    }
    const bool lastKept = part.find_first_not_of(" -", index + 1) == std::string_view::npos;
    if (isbn && (*stray == 'X' || *stray == 'x') && lastKept &&
        KeptLength(part.substr(0, index)) == 9) {
        return std::string_view::npos;
    }
    return index;
}

const NumberReading& NumberReader::Read(std::string_view text) {
    reading_ = {};
    // Digits alone, the usual number, need no second look: nothing to trim, drop or split.
    // An ISBN-10's X takes the long way.
    if (!text.empty() && text.size() <= kMostDigits) {
        bool digits = true;
        for (const char c : text) {
            digits &= IsDigit(c);
        }
        if (digits) {
            reading_.text = text;
            reading_.digits = text;
            reading_.count = text.size();
            return reading_;
        }
    }
    const std::string_view trimmed = TrimBlanks(text);
    reading_.text = trimmed;
    const std::size_t plus = trimmed.find('+');
    const std::string_view number = trimmed.substr(0, plus);
    const std::string_view addOn =
        plus == std::string_view::npos ? std::string_view() : trimmed.substr(plus + 1);
    std::size_t stray = FirstStray(number, true);
    std::size_t strayAt = stray;
    if (stray == std::string_view::npos && plus != std::string_view::npos) {
        stray = FirstStray(addOn, false);
        strayAt = stray == std::string_view::npos ? stray : plus + 1 + stray;
    }
    if (strayAt != std::string_view::npos) {
        reading_.fault.kind = NumberFault::Kind::NotADigit;
        reading_.fault.column =
            static_cast<std::uint64_t>(trimmed.data() - text.data()) + strayAt + 1;
        reading_.fault.rest = trimmed.substr(strayAt);
        return reading_;
    }
    reading_.hasAddOn = plus != std::string_view::npos;
    reading_.count = KeptLength(number);
    reading_.addOnCount = KeptLength(addOn);
    reading_.addOn = std::string_view(addOnBuffer_.data(), CopyKept(addOn, addOnBuffer_));
    if (reading_.count == number.size()) {
        reading_.digits = number.substr(0, kMostDigits);
    } else {
        reading_.digits = std::string_view(buffer_.data(), CopyKept(number, buffer_));
    }
    return reading_;
}

}  // namespace varnholt
