#include "model/gs1/Bracketed.h"

#include <array>
#include <cstddef>

#include "model/gs1/Faults.h"

namespace varnholt::gs1 {
namespace {

constexpr std::string_view kSyntax = "bracketed text";

// Where the data starting at `from` ends: at the next bracket that no backslash escapes.
std::size_t DataEnd(std::string_view text, std::size_t from) noexcept {
    for (std::size_t i = from; i < text.size(); ++i) {
        if (text[i] == '(' && (i == from || text[i - 1] != '\\')) {
            return i;
        }
    }
    return text.size();
}

// The data with every "\(" made "(": the text itself when it has none, else a copy in `buffer`.
std::string_view Unescaped(std::string_view data,
                           std::array<char, Reading::kMostCharacters>& buffer) {
    if (data.find("\\(") == std::string_view::npos || data.size() > buffer.size()) {
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
        const std::size_t close = text.find(')', at);
        if (text[at] != '(' || close == std::string_view::npos || close - at < 3 ||
            close - at > 5) {
            return Refused<Done>(SyntaxFault(kSyntax, "no AI in brackets", at + 1));
        }
        const std::string_view ai = text.substr(at + 1, close - at - 1);
        const std::size_t end = DataEnd(text, close + 1);
        if (Result<Done> added =
                reading.Add(ai, Unescaped(text.substr(close + 1, end - close - 1), buffer));
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
        // Data goes in runs between its brackets, each bracket escaped.
        std::string_view value = element.value;
        for (std::size_t bracket = value.find('('); bracket != std::string_view::npos;
             bracket = value.find('(')) {
            text += value.substr(0, bracket);
            text += "\\(";
            value.remove_prefix(bracket + 1);
        }
        text += value;
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
