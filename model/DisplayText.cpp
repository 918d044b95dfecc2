#include "model/DisplayText.h"

#include <algorithm>
#include <cstdint>

#include "model/Utf8.h"

namespace varnholt {
namespace {

constexpr std::string_view kReplacement = "\xEF\xBF\xBD";

constexpr bool IsPrintableAscii(char c) noexcept {
    return c >= 0x20 && c < 0x7F;
}

constexpr bool IsContinuation(char c) noexcept {
    return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

// Whether every byte is printable ASCII. Every byte is looked at, with no way out early, so
// that the compiler looks at many at once, gathered in a byte so that a vector holds as many
// as it can.
bool AllPrintableAscii(std::string_view text) noexcept {
    std::uint8_t outside = 0;
    for (const char c : text) {
        outside |= static_cast<std::uint8_t>(!IsPrintableAscii(c));
    }
    return outside == 0;
}

void AppendSafe(std::string_view text, std::string& out) {
    while (!text.empty()) {
        // Printable ASCII, most of any text, goes in by runs.
        const auto run = static_cast<std::size_t>(std::ranges::find_if_not(text, IsPrintableAscii) -
                                                  text.begin());
        out.append(text.substr(0, run));
        text.remove_prefix(run);
        if (text.empty()) {
            return;
        }
        const Utf8Character character = Utf8CharacterAt(text);
        // A control character shows as one replacement, however many bytes it takes.
        if (character.length == 0 || character.control) {
            out.append(kReplacement);
        } else {
            out.append(text.substr(0, character.length));
        }
        text.remove_prefix(std::max<std::size_t>(character.length, 1));
    }
}

}  // namespace

std::string_view DisplayText::Of(std::string_view text) {
    if (AllPrintableAscii(text)) {
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

std::size_t DisplayWidth(std::string_view safeText) noexcept {
    return static_cast<std::size_t>(
        std::ranges::count_if(safeText, [](char c) { return !IsContinuation(c); }));
}

std::string_view CutToWidth(std::string_view safeText, std::size_t width) noexcept {
    std::size_t columns = 0;
    for (std::size_t i = 0; i < safeText.size(); ++i) {
        if (!IsContinuation(safeText[i]) && columns++ == width) {
            return safeText.substr(0, i);
        }
    }
    return safeText;
}

}  // namespace varnholt
