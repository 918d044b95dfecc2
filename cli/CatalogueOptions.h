#pragma once

#include <CLI/CLI.hpp>

#include <optional>
#include <string>
#include <string_view>

#include "cli/ColumnNames.h"

namespace varnholt::cli {

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

// Adds --column, --header and --delimiter to a command; the column option, which the others
// need.
inline CLI::Option* AddCatalogueOptions(CLI::App& command, CatalogueOptions& options,
                                        std::string_view what) {
    CLI::Option* column =
        command
            .add_option("-c,--column", options.column,
                        "Read a catalogue (csv, tsv, ;-separated): " + std::string(what) +
                            " are in the column of this header name, or of this number from 1")
            ->type_name("NAME|N")
            ->check(CLI::Validator(
                [](std::string& text) -> std::string {
                    return text.empty() || text == "0" ? "give a column's name or its number from 1"
                                                       : std::string();
                },
                ""));
    command.add_flag("--header", options.header, "With --column N: the first row is a header")
        ->needs(column);
    command
        .add_option_function<std::string>(
            "--delimiter",
            [&options](const std::string& text) { options.delimiter = ParseDelimiter(text); },
            "The catalogue's delimiter: , ; or tab (else the one the first line holds most)")
        ->type_name("CHAR")
        ->needs(column)
        ->check(CLI::Validator(
            [](std::string& text) -> std::string {
                return ParseDelimiter(text) ? std::string() : "give , ; or tab";
            },
            ""));
    return column;
}

}  // namespace varnholt::cli
