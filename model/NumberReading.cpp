#include "model/NumberReading.h"

#include <algorithm>

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
            words.append(fault.lengths);
            break;
        case NumberFault::Kind::TooLong:
            words.append("line too long to be a number (").append(std::to_string(fault.count));
            words.append(" bytes)");
            break;
    }
    return words;
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

const NumberReading& NumberReader::Read(std::string_view text) {
    reading_ = {};
    const std::string_view trimmed = TrimBlanks(text);
    reading_.text = trimmed;
    const auto* stray =
        std::ranges::find_if(trimmed, [](char c) { return !IsDigit(c) && !IsSeparator(c); });
    if (stray != trimmed.end()) {
        const auto index = static_cast<std::size_t>(stray - trimmed.begin());
        reading_.fault.kind = NumberFault::Kind::NotADigit;
        reading_.fault.column =
            static_cast<std::uint64_t>(trimmed.data() - text.data()) + index + 1;
        reading_.fault.rest = trimmed.substr(index);
        return reading_;
    }
    reading_.count = KeptLength(trimmed);
    if (reading_.count == trimmed.size()) {
        reading_.digits = trimmed.substr(0, kMostDigits);
        return reading_;
    }
    std::size_t kept = 0;
    for (const char c : trimmed) {
        if (!IsSeparator(c) && kept < buffer_.size()) {
            buffer_[kept++] = c;
        }
    }
    reading_.digits = std::string_view(buffer_.data(), kept);
    return reading_;
}

}  // namespace varnholt
