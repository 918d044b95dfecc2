#include "model/gs1/Faults.h"

#include <array>

namespace varnholt::gs1 {
namespace {

// A part of the data as shown in a fault: printable characters as they are, others by byte,
// so that a control character cannot garble a terminal or a log.
std::string Shown(std::string_view text) {
    std::string shown;
    shown.reserve(text.size());
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte >= 0x20 && byte < 0x7F) {
            shown += c;
        } else {
            constexpr std::string_view hex = "0123456789ABCDEF";
            shown += "\\x";
            shown += hex[byte >> 4];
            shown += hex[byte & 0xF];
        }
    }
    return shown;
}

std::string AiPrefix(std::string_view ai) {
    return "AI (" + Shown(ai) + "): ";
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
    return AiPrefix(ai) + Shown(part) + ": " + std::string(what);
}

std::string CheckFault(std::string_view ai, std::string_view given, std::string_view body,
                       std::string_view needed) {
    const bool pair = given.size() > 1;
    return AiPrefix(ai) + (pair ? "check characters " : "check digit ") + Shown(given) +
           (pair ? " are wrong, " : " is wrong, ") + Shown(body) + " needs " + std::string(needed);
}

std::string AiFault(std::string_view ai, std::string_view what) {
    return AiPrefix(ai) + std::string(what);
}

std::string SyntaxFault(std::string_view syntax, std::string_view what, std::size_t position) {
    std::string message = std::string(syntax) + ": " + std::string(what);
    if (position != 0) {
        message += " at character " + std::to_string(position);
    }
    return message;
}

}  // namespace varnholt::gs1
