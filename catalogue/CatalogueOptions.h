#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "catalogue/ColumnNames.h"

namespace varnholt::catalogue {

// How a command reads a catalogue (a delimited file) rather than a number a line.
struct CatalogueOptions {
    // The column of the numbers, by header name or 1-based number; empty: no catalogue.
    std::string column;
    // Whether the first record is a header row when the column is given by number.
    bool header = false;
    // ',' ';' or a tab; none: found in the first line.
    std::optional<char> delimiter;

    bool Given() const noexcept { return !column.empty(); }

    // Whether the first record is a header row: asked for, or needed to find a named column.
    bool HasHeader() const noexcept { return header || !ColumnNames::IndexOfNumber(column); }
};

// The delimiter --delimiter names: ",", ";", "tab" or a tab itself.
inline std::optional<char> ParseDelimiter(std::string_view text) {
    if (text == "," || text == ";" || text == "\t") {
        return text.front();
    }
    if (text == "tab") {
        return '\t';
    }
    return std::nullopt;
}

}  // namespace varnholt::catalogue
