#pragma once

#include <CLI/CLI.hpp>

#include <array>
#include <memory>
#include <string>
#include <string_view>
#include <utility>

#include "cli/Streams.h"

namespace varnholt::cli {

// One subcommand of the program (`varnholt NAME ...`): it adds itself and its options to the
// command line, then runs once they are parsed.
class Command {
  public:
    virtual ~Command() = default;

    // Adds the subcommand to `program`, with options that fill this object when parsed.
    virtual CLI::App& Register(CLI::App& program) = 0;

    // Runs the parsed command; the exit status.
    virtual int Run(const Streams& streams) = 0;
};

// `varnholt check`, `varnholt render` and `varnholt sheets`.
std::unique_ptr<Command> MakeCheckCommand();
std::unique_ptr<Command> MakeRenderCommand();
std::unique_ptr<Command> MakeSheetsCommand();

// The name of OneOf's validator, by which tools that describe the command line find the
// choices (its description lists them, comma-separated).
inline constexpr std::string_view kChoicesValidator = "choices";

// An option's value that must be one of `choices`, in any letter case: the parser is handed
// the enum value the name stands for, and a name that is none is refused, naming them all.
template <class Enum, std::size_t N>
CLI::Validator OneOf(const std::array<std::pair<std::string_view, Enum>, N>& choices) {
    std::string names;
    for (const auto& [name, value] : choices) {
        names += (names.empty() ? "" : ", ") + std::string(name);
    }
    return CLI::Validator(
        [&choices, names](std::string& text) -> std::string {
            const std::string folded = CLI::detail::to_lower(text);
            for (const auto& [name, value] : choices) {
                if (folded == name) {
                    text = std::to_string(static_cast<int>(value));
                    return {};
                }
            }
            return text + " is none of " + names;
        },
        names, std::string(kChoicesValidator));
}

}  // namespace varnholt::cli
