#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "catalogue/ColumnNames.h"
#include "model/Result.h"

namespace varnholt::cli {

using catalogue::ColumnNames;

// What a pattern's placeholders stand for in one record of a batch.
struct PatternValues {
    // The number drawn, check digit and add-on included.
    std::string_view number;
    // The record's first line.
    std::uint64_t line = 0;
    // The record's fields, in a catalogue; none for a number a line.
    std::span<const std::string_view> fields;
    // The record's GTIN of 14 digits, for a pattern that takes {gtin}.
    std::string_view gtin{};
};

// A file's name made from a pattern, or why one record's values cannot make one.
struct ExpandedName {
    std::string name;
    // Empty when the name is safe to write.
    std::string refusal;
};

// The file names of a batch, or another text made for each record: a pattern such as
// "labels/{number}.svg", "out-{line:05}.png" or "{column:sku}.pdf". {number} is the number
// drawn, check digit included; {line} the input line's number, and {line:0N} the same with
// zeros in front to N digits; {column:NAME} a catalogue's field by header name or by number
// from 1. "{{" and "}}" stand for braces. A pattern that `takesGtin` also has {gtin}, the
// record's GTIN of 14 digits.
class FileNamePattern {
  public:
    // Reads a pattern; Error() then says what is wrong with it, if anything.
    explicit FileNamePattern(std::string_view pattern, bool takesGtin = false);

    // What is wrong with the pattern, e.g. an unknown placeholder; empty when nothing is.
    const std::string& Error() const noexcept { return error_; }
    // Whether a placeholder tells one number's file from another's.
    bool HasPlaceholder() const noexcept { return placeholders_ > 0; }
    // Whether a {column:...} needs a catalogue's fields.
    bool UsesColumns() const noexcept { return columns_ > 0; }

    // Finds each {column:...} in a catalogue's header, or without one (null) takes it by
    // number; refused, of kind Usage, naming a column that cannot be found.
    Result<Done> FindColumns(const ColumnNames* header);

    // The text for one record; a column the record lacks is empty.
    std::string Expand(const PatternValues& values) const;
    std::string Expand(std::string_view number, std::uint64_t line) const {
        return Expand(PatternValues{number, line, {}});
    }

    // The file name for one record, refused when a column's value is empty, "." or "..", holds
    // a "/" or a control character, or makes a part of the name longer than a file system
    // takes.
    ExpandedName ExpandFileName(const PatternValues& values) const;

  private:
    // The text, checked for a file's name when `safely`.
    ExpandedName Expand(const PatternValues& values, bool safely) const;

    struct Part {
        enum class Kind { Text, Number, Line, Column, Gtin } kind = Kind::Text;
        std::string text;        // Text; Column: the name or number as written
        int width = 0;           // Line only: digits with zeros in front
        std::size_t column = 0;  // Column only: the field's index, once found
    };

    std::vector<Part> parts_;
    int placeholders_ = 0;
    int columns_ = 0;
    std::string error_;
};

}  // namespace varnholt::cli
