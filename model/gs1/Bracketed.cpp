#include "model/gs1/Bracketed.h"

#include <algorithm>
#include <array>
#include <cstddef>

#include "model/gs1/Faults.h"

namespace varnholt::gs1 {
namespace {

constexpr std::string_view kSyntax = "bracketed text";

// Where the data starting at `from` ends: at the next bracket that no backslash escapes.
// `escaped` tells whether the data holds an escaped one. A plain loop, as in what follows:
// the data is too short to be worth a call to memchr.
std::size_t DataEnd(std::string_view text, std::size_t from, bool& escaped) noexcept {
    escaped = false;
    for (std::size_t i = from; i < text.size(); ++i) {
        if (text[i] == '(') {
            if (i == from || text[i - 1] != '\\') {
                return i;
            }
            escaped = true;
        }
    }
    return text.size();
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
    for (std::size_t i = 0; i < reading.Size(); ++i) {
        const Element element = reading[i];
        text += '(';
        text += element.ai;
        text += ')';
        // Data goes in at once, or, the rare data with a bracket, a character at a time with
        // each bracket escaped. A plain loop looks for one: memchr costs more on a few bytes.
        const std::string_view value = element.value;
        if (std::ranges::none_of(value, [](char c) { return c == '('; })) {
            text += value;
            continue;
        }
        for (const char c : value) {
            if (c == '(') {
                text += '\\';
            }
            text += c;
        }
    }
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
