#pragma once

#include "cli/Streams.h"

namespace CLI {
class App;
}

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

}  // namespace varnholt::cli
