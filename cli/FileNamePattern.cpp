#include "cli/FileNamePattern.h"

#include <algorithm>
#include <charconv>

namespace varnholt::cli {
namespace {

// A width wider than any line count needs is a mistake, not a wish.
constexpr int kWidestLine = 20;

}  // namespace

FileNamePattern::FileNamePattern(std::string_view pattern) {
    std::string text;
    const auto fail = [this](std::string why) {
        error_ = std::move(why);
        parts_.clear();
    };
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        const char c = pattern[i];
        if ((c == '{' || c == '}') && i + 1 < pattern.size() && pattern[i + 1] == c) {
            text += c;
            ++i;
            continue;
        }
        if (c == '}') {
            fail("a \"}\" without its \"{\"; write \"}}\" for a brace");
            return;
        }
        if (c != '{') {
            text += c;
            continue;
        }
        const std::size_t close = pattern.find('}', i);
        if (close == std::string_view::npos) {
            fail("a \"{\" without its \"}\"; write \"{{\" for a brace");
            return;
        }
        const std::string_view name = pattern.substr(i + 1, close - i - 1);
        Part part;
        if (name == "number") {
            part.kind = Part::Kind::Number;
        } else if (name == "line") {
            part.kind = Part::Kind::Line;
        } else if (name.starts_with("line:")) {
            part.kind = Part::Kind::Line;
            const std::string_view digits = name.substr(std::min<std::size_t>(name.size(), 6));
            const auto [end, error] =
                std::from_chars(digits.data(), digits.data() + digits.size(), part.width);
            if (!name.starts_with("line:0") || error != std::errc{} ||
                end != digits.data() + digits.size() || part.width < 1 ||
                part.width > kWidestLine) {
                fail("{" + std::string(name) + "}: give the width as {line:0N}, N from 1 to " +
                     std::to_string(kWidestLine));
                return;
            }
        } else {
            fail("unknown placeholder {" + std::string(name) +
                 "}; there are {number}, {line} and {line:0N}");
            return;
        }
        if (!text.empty()) {
            parts_.push_back({Part::Kind::Text, std::move(text), 0});
            text.clear();
        }
        parts_.push_back(part);
        ++placeholders_;
        i = close;
    }
    if (!text.empty()) {
        parts_.push_back({Part::Kind::Text, std::move(text), 0});
    }
}

std::string FileNamePattern::Expand(std::string_view number, std::uint64_t line) const {
    std::string name;
    for (const Part& part : parts_) {
        switch (part.kind) {
            case Part::Kind::Text:
                name += part.text;
                break;
            case Part::Kind::Number:
                name += number;
                break;
            case Part::Kind::Line: {
                const std::string digits = std::to_string(line);
                if (static_cast<int>(digits.size()) < part.width) {
                    name.append(static_cast<std::size_t>(part.width) - digits.size(), '0');
                }
                name += digits;
                break;
            }
        }
    }
    return name;
}

}  // namespace varnholt::cli
