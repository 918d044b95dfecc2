// Writes varnholt's bash completion: the command line's own parser walked for its commands,
// their options and what each option's value is, poured into the completion's template. So
// the completion knows each option as soon as a command defines it.
//
// make_completion TEMPLATE OUTPUT

#include <CLI/CLI.hpp>

#include <algorithm>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "cli/Command.h"
#include "cli/CommandLine.h"
#include "cli/render/SymbologyPair.h"
#include "files/AtomicFile.h"

namespace {

constexpr std::string_view kPlaceholder = "@VARNHOLT_COMPLETION_TABLES@";

// The command line's names of an option, long ones first: "--format -f".
std::vector<std::string> NamesOf(const CLI::Option& option) {
    std::vector<std::string> names;
    for (const std::string& name : option.get_lnames()) {
        names.push_back("--" + name);
    }
    for (const std::string& name : option.get_snames()) {
        names.push_back("-" + name);
    }
    return names;
}

std::vector<std::string> SplitChoices(const std::string& list) {
    std::vector<std::string> choices;
    std::istringstream in(list);
    for (std::string choice; std::getline(in, choice, ',');) {
        choices.push_back(CLI::detail::trim_copy(choice));
    }
    return choices;
}

// What the completion offers for an option's value (or an operand): "choices NAME...",
// "file", "directory", "sheets" (label stock products), or "none" for a value that cannot be
// guessed.
std::string ValueKind(CLI::Option& option) {
    try {
        const CLI::Validator* choices =
            option.get_validator(std::string(varnholt::cli::kChoicesValidator));
        std::string kind = "choices";
        for (const std::string& choice : SplitChoices(choices->get_description())) {
            kind += " " + choice;
        }
        // A symbology may also be a pair for labels, which the help leaves to its text.
        if (option.check_lname("symbology")) {
            for (const std::string& pair : varnholt::cli::PairNames()) {
                kind += " " + pair;
            }
        }
        return kind;
    } catch (const CLI::OptionNotFound&) {
    }
    const auto& longNames = option.get_lnames();
    if (std::find(longNames.begin(), longNames.end(), "sheet") != longNames.end()) {
        return "sheets";
    }
    // The type name without the descriptions of its validators.
    const std::string type = option.get_type_name().substr(0, option.get_type_name().find(':'));
    const std::string name = option.get_positional() && type.empty() ? option.get_name() : type;
    if (name == "FILE" || name == "PATTERN") {
        return "file";
    }
    if (name == "DIR" || name == "FOLDER") {
        return "directory";
    }
    return "none";
}

std::string Quoted(const std::string& text) {
    std::string quoted = "'";
    for (const char c : text) {
        quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    }
    return quoted + "'";
}

// The tables: bash functions that answer by case, read by the template's completion function.
std::string Tables(CLI::App& program) {
    std::string commands;
    std::string options = "_varnholt_options() {\n    case $1 in\n";
    std::string values = "_varnholt_value() {\n    case $1 in\n";
    std::string operands = "_varnholt_operand() {\n    case $1 in\n";
    for (CLI::App* command : program.get_subcommands([](CLI::App*) { return true; })) {
        const std::string& name = command->get_name();
        commands += (commands.empty() ? "" : " ") + name;
        if (command->get_prefix_command()) {
            // `help COMMAND`: what follows is a command's name.
            operands += "    " + name + ") echo commands ;;\n";
            continue;
        }
        std::string names;
        for (CLI::Option* option : command->get_options()) {
            if (option->get_positional()) {
                operands += "    " + name + ") echo " + Quoted(ValueKind(*option)) + " ;;\n";
                continue;
            }
            std::string patterns;
            for (const std::string& optionName : NamesOf(*option)) {
                names += (names.empty() ? "" : " ") + optionName;
                patterns += (patterns.empty() ? "" : "|") + name + ":" + optionName;
            }
            if (option->get_items_expected_max() > 0) {
                values += "    " + patterns + ") echo " + Quoted(ValueKind(*option)) + " ;;\n";
            }
        }
        options += "    " + name + ") echo " + Quoted(names) + " ;;\n";
    }
    std::string globals;
    for (CLI::Option* option : program.get_options()) {
        for (const std::string& optionName : NamesOf(*option)) {
            globals += (globals.empty() ? "" : " ") + optionName;
        }
    }
    const std::string end = "    esac\n}\n";
    return "_varnholt_commands=" + Quoted(commands) +
           "\n_varnholt_global_options=" + Quoted(globals) + "\n" + options + end + values + end +
           operands + end;
}

}  // namespace

int main(int argc, char* argv[]) {
    if (argc != 3) {
        std::cerr << "usage: make_completion TEMPLATE OUTPUT\n";
        return 2;
    }
    std::ifstream in(argv[1]);
    std::stringstream script;
    script << in.rdbuf();
    std::string text = script.str();
    const std::size_t at = text.find(kPlaceholder);
    if (!in || at == std::string::npos) {
        std::cerr << "make_completion: " << argv[1] << " holds no " << kPlaceholder << "\n";
        return 1;
    }
    std::string tables;
    varnholt::cli::Describe([&tables](CLI::App& program) { tables = Tables(program); });
    text.replace(at, kPlaceholder.size(), tables);
    if (const auto written = varnholt::files::WriteFileAtomically(argv[2], text); !written) {
        std::cerr << "make_completion: " << written.Error() << "\n";
        return 1;
    }
    return 0;
}
