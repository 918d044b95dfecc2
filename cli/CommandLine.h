#pragma once

namespace varnholt::cli {

// The program's command line, `varnholt COMMAND [OPTION...] [ARGUMENT...]`, as well as
// `varnholt --help`, `varnholt help COMMAND` and `varnholt --version`: parses, runs the
// command, and gives the exit status. Needs no display and never starts a window system.
int Run(int argc, const char* const argv[]);

// For a build without the window, run without arguments: the help, and why there is no window;
// exit status 2.
int RunWithoutWindow();

}  // namespace varnholt::cli
