#include "cli/CheckCommand.h"

#include <CLI/CLI.hpp>

#include <string>
#include <vector>

namespace varnholt::cli {

CLI::App& CheckCommand::Register(CLI::App& program) {
    CLI::App& check = *program.add_subcommand(
        "check", "Check EAN-13 and EAN-8 numbers, one per line, from files or standard input");
    check.footer(
        "Each line gets a row: whether its number is valid, its country (from the GS1\n"
        "prefix), number system, manufacturer code and product code, and for a wrong check\n"
        "digit the right one. Blanks and hyphens in a number are ignored; blank lines are\n"
        "skipped. csv and tsv start with a header row; csv quotes as RFC 4180 says. A line\n"
        "that is no number gets a row and a message on standard error, and the summary\n"
        "goes there at the end.\n"
        "Exit status: 0 when every number is valid, 1 when some is not, 2 when a file\n"
        "could not be read or the output not written.");

    check.add_option("FILE", options_.files, "Files to read; - or none: standard input")
        ->type_name("");

    std::vector<std::string> formats;
    for (const FormatName& entry : kFormatNames) {
        formats.emplace_back(entry.name);
    }
    check.add_option("-f,--format", format_, "table (aligned, the default), csv, tsv or jsonl")
        ->type_name("FORMAT")
        ->check(CLI::IsMember(formats));
    check.add_flag("-i,--invalid-only", options_.invalidOnly,
                   "Write rows only for numbers that are not valid");
    check.add_flag("-q,--quiet", options_.quiet, "Write no rows, only the summary");
    return check;
}

int CheckCommand::Run(const Streams& streams) {
    // The parser admits only the names FormatNamed knows.
    options_.format = FormatNamed(format_).value_or(Format::Table);
    return RunCheck(options_, streams);
}

}  // namespace varnholt::cli
