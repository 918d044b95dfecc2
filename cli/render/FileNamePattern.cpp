#include "cli/render/FileNamePattern.h"

#include <algorithm>
#include <charconv>

#include "model/DisplayText.h"

namespace varnholt::cli {
namespace {

// A width wider than any line count needs is a mistake, not a wish.
constexpr int kWidestLine = 20;

// The longest part of a path that Linux file systems take (NAME_MAX).
constexpr std::size_t kLongestNamePart = 255;

// Why a field cannot stand in a file's name, or nothing: it would make no name, another
// folder's, or one that a terminal or another program reads as something else.
std::string_view UnsafeInName(std::string_view value) {
    if (value.empty()) {
        return "is empty";
    }
    if (value == "." || value == "..") {
        return "names a folder";
    }
    if (value.find('/') != std::string_view::npos) {
        return "holds a \"/\"";
    }
    if (std::ranges::any_of(
            value, [](char c) { return static_cast<unsigned char>(c) < 0x20 || c == '\x7F'; })) {
        return "holds a control character";
    }
    return {};
}

}  // namespace

FileNamePattern::FileNamePattern(std::string_view pattern, bool takesGtin) {
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
        } else if (name == "gtin" && takesGtin) {
            part.kind = Part::Kind::Gtin;
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
        } else if (name.starts_with("column:") && name.size() > 7) {
            part.kind = Part::Kind::Column;
            part.text = name.substr(7);
            ++columns_;
        } else {
            fail("unknown placeholder {" + std::string(name) + "}; there are {number}, " +
                 (takesGtin ? "{gtin}, " : "") + "{line}, {line:0N} and {column:NAME}");
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

Result<Done> FileNamePattern::FindColumns(const ColumnNames* header) {
    for (Part& part : parts_) {
        if (part.kind != Part::Kind::Column) {
            continue;
        }
        // Without a header a column has a number only, however many fields a record holds.
        const std::optional<std::size_t> found =
            header != nullptr ? header->Find(part.text) : ColumnNames::IndexOfNumber(part.text);
        if (!found) {
            return Result<Done>::Failure(
                ErrorKind::Usage,
                "{column:" + SafeText(part.text) + "}: " +
                    (header != nullptr ? "the header names no such column"
                                       : "without a header row, give a column's number from 1"));
        }
        part.column = *found;
    }
    return Done{};
}

std::string FileNamePattern::Expand(const PatternValues& values) const {
    return Expand(values, false).name;
}

ExpandedName FileNamePattern::ExpandFileName(const PatternValues& values) const {
    return Expand(values, true);
}

ExpandedName FileNamePattern::Expand(const PatternValues& values, bool safely) const {
    ExpandedName expanded;
    std::string& name = expanded.name;
    // Where the name's current part starts, and whether a column's value went into it.
    std::size_t partStart = 0;
    bool partHasColumn = false;
    const auto endPart = [&](std::size_t end) {
        const std::string_view part = std::string_view(name).substr(partStart, end - partStart);
        // A file system refuses the name, which would stop the batch: refused here, the
        // record alone is passed over.
        if (partHasColumn && expanded.refusal.empty() && part.size() > kLongestNamePart) {
            expanded.refusal = "the name " + SafeText(name) + " has a part longer than " +
                               std::to_string(kLongestNamePart) + " bytes";
        }
        partStart = end + 1;
        partHasColumn = false;
    };
    for (const Part& part : parts_) {
        switch (part.kind) {
            case Part::Kind::Text:
                for (const char c : part.text) {
                    if (c == '/' && safely) {
                        endPart(name.size());
                    }
                    name += c;
                }
                break;
            case Part::Kind::Number:
                name += values.number;
                break;
            case Part::Kind::Gtin:
                name += values.gtin;
                break;
            case Part::Kind::Line: {
                const std::string digits = std::to_string(values.line);
                if (static_cast<int>(digits.size()) < part.width) {
                    name.append(static_cast<std::size_t>(part.width) - digits.size(), '0');
                }
                name += digits;
                break;
            }
            case Part::Kind::Column: {
                const std::string_view value = part.column < values.fields.size()
                                                   ? values.fields[part.column]
                                                   : std::string_view();
                if (safely && expanded.refusal.empty()) {
                    if (const std::string_view why = UnsafeInName(value); !why.empty()) {
                        expanded.refusal = "{column:" + SafeText(part.text) + "} " +
                                           (value.empty() ? "" : "\"" + SafeText(value) + "\" ") +
                                           std::string(why);
                    }
                }
                name += value;
                partHasColumn = true;
                break;
            }
        }
    }
    if (safely) {
        endPart(name.size());
    }
    return expanded;
}

}  // namespace varnholt::cli
