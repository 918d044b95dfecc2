#include "render/SymbolNumber.h"

#include <algorithm>
#include <cstdio>

#include "model/Digit.h"
#include "model/Modulo10.h"

namespace varnholt::render {
namespace {

constexpr std::size_t kShownCharacters = 40;

// The text as a message quotes it: printable ASCII as it stands, anything else as \xNN, and
// a long text cut short.
std::string Quoted(std::string_view text) {
    std::string quoted;
    for (const char c : text.substr(0, kShownCharacters)) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte >= 0x20 && byte < 0x7F) {
            quoted += c;
        } else {
            char escaped[5];
            std::snprintf(escaped, sizeof escaped, "\\x%02X", byte);
            quoted += escaped;
        }
    }
    if (text.size() > kShownCharacters) {
        quoted += "...";
    }
    return quoted;
}

}  // namespace

Result<std::string> SymbolNumber(std::string_view text) {
    std::string digits;
    std::size_t position = 0;
    for (const char c : text) {
        ++position;
        if (c == ' ' || c == '-') {
            continue;
        }
        if (!IsDigit(c)) {
            return Result<std::string>::Failure(
                Quoted(text) + ": character " + std::to_string(position) + " (\"" +
                Quoted(std::string_view(&c, 1)) + "\") is not a digit");
        }
        if (digits.size() > 13) {
            break;  // too long already; the length says so below
        }
        digits += c;
    }
    const std::size_t length = digits.size() > 13
                                   ? static_cast<std::size_t>(std::ranges::count_if(text, IsDigit))
                                   : digits.size();
    if (length != 13 && length != 12 && length != 8 && length != 7) {
        return Result<std::string>::Failure(
            Quoted(text) + ": " + std::to_string(length) +
            " digits; an EAN-13 has 13 (12 without its check digit), an EAN-8 has 8 (or 7)");
    }
    Modulo10 modulo;
    if (length == 12 || length == 7) {
        return digits + static_cast<char>('0' + modulo.Calculate(digits));
    }
    const std::string_view body = std::string_view(digits).substr(0, length - 1);
    const std::int16_t needed = modulo.Calculate(body);
    if (digits.back() - '0' != needed) {
        return Result<std::string>::Failure(Quoted(text) + ": check digit " + digits.back() +
                                            " is wrong, " + std::string(body) + " needs " +
                                            static_cast<char>('0' + needed));
    }
    return digits;
}

}  // namespace varnholt::render
