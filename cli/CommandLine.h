#pragma once

#include <functional>

#include "cli/Streams.h"

namespace CLI {
class App;
}

namespace varnholt::cli {

// The program's command line, `varnholt COMMAND [OPTION...] [ARGUMENT...]`, as well as
// `varnholt --help`, `varnholt help COMMAND` and `varnholt --version`: parses, runs the
// command, and gives the exit status. Needs no display and never starts a window system.
int Run(int argc, const char* const argv[]);

// The same with other streams than the process's own: a benchmark's or a test's.
int Run(int argc, const char* const argv[], const Streams& streams);

// For a build without the window, run without arguments: the help, and why there is no window;
// exit status 2.
int RunWithoutWindow();

// Hands the program's parser, every command registered, to `describe`: for tools that write
// down what the command line takes, such as the shell completion, from the one definition.
void Describe(const std::function<void(CLI::App&)>& describe);

}  // namespace varnholt::cli
