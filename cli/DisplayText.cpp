#include "cli/DisplayText.h"

#include <algorithm>
#include <cstdint>

namespace varnholt::cli {
namespace {

constexpr std::string_view kReplacement = "\xEF\xBF\xBD";

constexpr bool IsPrintableAscii(char c) noexcept {
    return c >= 0x20 && c < 0x7F;
}

constexpr bool IsContinuation(unsigned char byte) noexcept {
    return (byte & 0xC0) == 0x80;
}

struct Sequence {
    // Bytes of the valid UTF-8 sequence at the start of a text; 0 when there is none.
    std::size_t length = 0;
    // Whether it encodes a C1 control character.
    bool control = false;
};

// The valid UTF-8 sequence of a non-ASCII character at the start of `text`.
Sequence SequenceAt(std::string_view text) noexcept {
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char lead = byte(0);
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
        if (!IsContinuation(byte(i))) {
            return {};
        }
        code = (code << 6) | (byte(i) & 0x3Fu);
    }
    const bool overlong = code < lowest;
    const bool surrogate = code >= 0xD800 && code <= 0xDFFF;
    if (overlong || surrogate || code > 0x10FFFF) {
        return {};
    }
    return {length, code <= 0x9F};
}

void AppendSafe(std::string_view text, std::string& out) {
    while (!text.empty()) {
        std::size_t length = 1;
        if (IsPrintableAscii(text.front())) {
            out += text.front();
        } else if (const Sequence sequence = SequenceAt(text); sequence.length != 0) {
            // A control character shows as one replacement, however many bytes it takes.
            length = sequence.length;
            out.append(sequence.control ? kReplacement : text.substr(0, length));
        } else {
            out.append(kReplacement);
        }
        text.remove_prefix(length);
    }
}

}  // namespace

std::string_view DisplayText::Of(std::string_view text) {
    if (std::ranges::all_of(text, IsPrintableAscii)) {
        return text;
    }
    buffer_.clear();
    AppendSafe(text, buffer_);
    return buffer_;
}

std::string SafeText(std::string_view text) {
    std::string safe;
    AppendSafe(text, safe);
    return safe;
}

std::string_view FirstCharacter(std::string_view text) noexcept {
    if (text.empty()) {
        return {};
    }
    if (IsPrintableAscii(text.front())) {
        return text.substr(0, 1);
    }
    const Sequence sequence = SequenceAt(text);
    return sequence.control ? std::string_view() : text.substr(0, sequence.length);
}

std::size_t DisplayWidth(std::string_view safeText) noexcept {
    return static_cast<std::size_t>(std::ranges::count_if(
        safeText, [](char c) { return !IsContinuation(static_cast<unsigned char>(c)); }));
}

std::string_view CutToWidth(std::string_view safeText, std::size_t width) noexcept {
    std::size_t columns = 0;
    for (std::size_t i = 0; i < safeText.size(); ++i) {
        if (!IsContinuation(static_cast<unsigned char>(safeText[i])) && columns++ == width) {
            return safeText.substr(0, i);
        }
    }
    return safeText;
}

}  // namespace varnholt::cli
