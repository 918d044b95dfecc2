#include "model/gs1/Faults.h"

#include <array>

namespace varnholt::gs1 {
namespace {

// A part of the data as shown in a fault: printable characters as they are, others by byte,
// so that a control character cannot garble a terminal or a log.
void AppendShown(std::string& out, std::string_view text) {
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte >= 0x20 && byte < 0x7F) {
            out += c;
        } else {
            constexpr std::string_view hex = "0123456789ABCDEF";
            out += "\\x";
            out += hex[byte >> 4];
            out += hex[byte & 0xF];
        }
    }
}

// "AI (17): " begun in a string with room for most faults, so that it is made in one piece
// rather than grown a concatenation at a time.
std::string AiPrefix(std::string_view ai) {
    std::string text;
    text.reserve(96);
    text += "AI (";
    AppendShown(text, ai);
    text += "): ";
    return text;
}

}  // namespace

std::string CharacterName(char c) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte >= 0x20 && byte < 0x7F) {
        return std::string("'") + c + "'";
    }
    constexpr std::string_view hex = "0123456789ABCDEF";
    return std::string("byte 0x") + hex[byte >> 4] + hex[byte & 0xF];
}

std::string PartFault(std::string_view ai, std::string_view part, std::string_view what) {
    std::string fault = AiPrefix(ai);
    AppendShown(fault, part);
    fault += ": ";
    fault += what;
    return fault;
}

std::string CheckFault(std::string_view ai, std::string_view given, std::string_view body,
                       std::string_view needed) {
    const bool pair = given.size() > 1;
    std::string fault = AiPrefix(ai);
    fault += pair ? "check characters " : "check digit ";
    AppendShown(fault, given);
    fault += pair ? " are wrong, " : " is wrong, ";
    AppendShown(fault, body);
    fault += " needs ";
    fault += needed;
    return fault;
}

std::string AiFault(std::string_view ai, std::string_view what) {
    std::string fault = AiPrefix(ai);
    fault += what;
    return fault;
}

std::string SyntaxFault(std::string_view syntax, std::string_view what, std::size_t position) {
    std::string message = std::string(syntax) + ": " + std::string(what);
    if (position != 0) {
        message += " at character " + std::to_string(position);
    }
    return message;
}

}  // namespace varnholt::gs1
