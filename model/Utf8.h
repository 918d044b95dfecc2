#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace varnholt {

// A character of UTF-8 text as it starts a text, for showing what a person typed.
struct Utf8Character {
    // Bytes of the valid UTF-8 sequence at the start of a text; 0 when there is none.
    std::size_t length = 0;
    // Whether it is a control character (C0, DEL or C1), which shows as nothing readable.
    bool control = false;
};

// The character at the start of `text`: printable ASCII, a valid UTF-8 sequence (no overlong
// form, no surrogate, nothing past U+10FFFF), or nothing.
constexpr Utf8Character Utf8CharacterAt(std::string_view text) noexcept {
    if (text.empty()) {
        return {};
    }
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char lead = byte(0);
    if (lead < 0x80) {
        return {1, lead < 0x20 || lead == 0x7F};
    }
    std::size_t length = 0;
    std::uint32_t lowest = 0;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
        lowest = 0x80;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        lowest = 0x800;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        lowest = 0x10000;
    } else {
        return {};
    }
    if (text.size() < length) {
        return {};
    }
    std::uint32_t code = lead & (0x7Fu >> length);
    for (std::size_t i = 1; i < length; ++i) {
        if ((byte(i) & 0xC0) != 0x80) {
            return {};
        }
        code = (code << 6) | (byte(i) & 0x3Fu);
    }
    if (code < lowest || (code >= 0xD800 && code <= 0xDFFF) || code > 0x10FFFF) {
        return {};
    }
    return {length, code <= 0x9F};
}

}  // namespace varnholt
