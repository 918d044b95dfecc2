#pragma once

#include <CLI/CLI.hpp>

#include <string>
#include <string_view>

#include "catalogue/CatalogueOptions.h"

namespace varnholt::cli {

using catalogue::CatalogueOptions;

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
            [&options](const std::string& text) {
                options.delimiter = catalogue::ParseDelimiter(text);
            },
            "The catalogue's delimiter: , ; or tab (else the one the first line holds most)")
        ->type_name("CHAR")
        ->needs(column)
        ->check(CLI::Validator(
            [](std::string& text) -> std::string {
                return catalogue::ParseDelimiter(text) ? std::string() : "give , ; or tab";
            },
            ""));
    return column;
}

}  // namespace varnholt::cli
