#include "model/gs1/Bracketed.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>

#include "model/Swar.h"
#include "model/gs1/Faults.h"

namespace varnholt::gs1 {
namespace {

constexpr std::string_view kSyntax = "bracketed text";

// The first opening bracket from `from` on; text.size() when there is none.
std::size_t NextBracket(std::string_view text, std::size_t from) noexcept {
    return swar::FindFirst(
        text, from, [](std::uint64_t word) { return swar::Equal(word, '('); },
        [](char c) { return c == '('; });
}

// Where the data starting at `from` ends: at the next bracket that no backslash escapes.
// `escaped` tells whether the data holds an escaped one.
std::size_t DataEnd(std::string_view text, std::size_t from, bool& escaped) noexcept {
    escaped = false;
    for (std::size_t i = from;; ++i) {
        i = NextBracket(text, i);
        if (i == text.size() || i == from || text[i - 1] != '\\') {
            return i;
        }
        escaped = true;
    }
}

// Where the bracket closing the AI opened at `at` is: two to four characters on; npos when
// it is not there.
std::size_t AiClose(std::string_view text, std::size_t at) noexcept {
    for (std::size_t i = at + 1; i < text.size() && i <= at + 5; ++i) {
        if (text[i] == ')') {
            return i >= at + 3 ? i : std::string_view::npos;
        }
    }
    return std::string_view::npos;
}

// The data with every "\(" made "(", copied into `buffer`: `data` itself when it is too long for
// any AI, which refuses it for its length.
std::string_view Unescaped(std::string_view data,
                           std::array<char, Reading::kMostCharacters>& buffer) {
    if (data.size() > buffer.size()) {
        return data;
    }
    std::size_t length = 0;
    for (std::size_t i = 0; i < data.size(); ++i) {
        if (data[i] == '\\' && i + 1 < data.size() && data[i + 1] == '(') {
            continue;
        }
        buffer[length++] = data[i];
    }
    return {buffer.data(), length};
}

}  // namespace

Result<Reading> ReadBracketed(std::string_view text, const ReadOptions& options) {
    Reading reading;
    if (Result<Done> read = ReadBracketedInto(text, reading, options); !read) {
        return Result<Reading>::FailureOf(read);
    }
    return reading;
}

Result<Done> ReadBracketedInto(std::string_view text, Reading& reading,
                               const ReadOptions& options) {
    reading.Clear();
    if (text.empty()) {
        return Refused<Done>(SyntaxFault(kSyntax, "empty"));
    }
    std::array<char, Reading::kMostCharacters> buffer;
    std::size_t at = 0;
    while (at < text.size()) {
        const std::size_t close = text[at] == '(' ? AiClose(text, at) : std::string_view::npos;
        if (close == std::string_view::npos) {
            return Refused<Done>(SyntaxFault(kSyntax, "no AI in brackets", at + 1));
        }
        const std::string_view ai = text.substr(at + 1, close - at - 1);
        bool escaped = false;
        const std::size_t end = DataEnd(text, close + 1, escaped);
        const std::string_view data = text.substr(close + 1, end - close - 1);
        if (Result<Done> added = reading.Add(ai, escaped ? Unescaped(data, buffer) : data);
            !added) {
            return added;
        }
        at = end;
    }
    return CheckAssociations(reading, options);
}

std::string BracketedText(const Reading& reading) {
    std::string text;
    AppendBracketedText(reading, text);
    return text;
}

void AppendBracketedText(const Reading& reading, std::string& text) {
    // Room for the most it can take, every character of data an escaped bracket, then written
    // through a pointer: a character at a time through += checks the room each time.
    std::size_t room = 0;
    for (std::size_t i = 0; i < reading.Size(); ++i) {
        room += reading[i].ai.size() + 2 + 2 * reading[i].value.size();
    }
    const std::size_t start = text.size();
    text.resize(start + room);
    char* to = text.data() + start;
    for (std::size_t i = 0; i < reading.Size(); ++i) {
        const Element element = reading[i];
        *to++ = '(';
        to = std::ranges::copy(element.ai, to).out;
        *to++ = ')';
        // Data goes in by the runs between its brackets, each bracket escaped.
        std::string_view value = element.value;
        for (;;) {
            const std::size_t bracket = NextBracket(value, 0);
            to = std::ranges::copy(value.substr(0, bracket), to).out;
            if (bracket == value.size()) {
                break;
            }
            *to++ = '\\';
            *to++ = '(';
            value.remove_prefix(bracket + 1);
        }
    }
    text.resize(static_cast<std::size_t>(to - text.data()));
}

std::string HumanReadableText(const Reading& reading) {
    std::string text;
    for (std::size_t i = 0; i < reading.Size(); ++i) {
        const Element element = reading[i];
        if (i > 0) {
            text += ' ';
        }
        text += '(';
        text += element.ai;
        text += ") ";
        text += element.value;
    }
    return text;
}

}  // namespace varnholt::gs1
