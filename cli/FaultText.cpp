#include "cli/FaultText.h"

#include <array>
#include <charconv>
#include <cstdint>

#include "cli/DisplayText.h"

namespace varnholt::cli {
namespace {

void AppendNumber(std::string& text, std::uint64_t value) {
    std::array<char, 20> digits{};
    char* end = std::to_chars(digits.data(), digits.data() + digits.size(), value).ptr;
    text.append(digits.data(), end);
}

}  // namespace

std::string_view FaultText::Of(const NumberFacts& facts) {
    text_.clear();
    switch (facts.fault) {
        case Fault::None:
            break;
        case Fault::TooLong:
            text_ = "line too long to be a number (";
            AppendNumber(text_, facts.count);
            text_ += " bytes)";
            break;
        case Fault::NotADigit: {
            const std::string_view character = FirstCharacter(facts.stray);
            if (!character.empty()) {
                text_ += '"';
                text_ += character;
                text_ += '"';
            } else {
                constexpr std::string_view kHex = "0123456789ABCDEF";
                const auto byte = static_cast<unsigned char>(facts.stray.front());
                text_ = "byte 0x";
                text_ += kHex[byte >> 4];
                text_ += kHex[byte & 0xF];
            }
            text_ += " at column ";
            AppendNumber(text_, facts.column);
            text_ += " is not a digit";
            break;
        }
        case Fault::WrongLength:
            AppendNumber(text_, facts.count);
            text_ += facts.count == 1 ? " digit" : " digits";
            text_ += ", not 13 or 8";
            break;
    }
    return text_;
}

}  // namespace varnholt::cli
