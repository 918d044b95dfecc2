#pragma once

#include "catalogue/ByteSource.h"
#include "files/ByteSink.h"

namespace varnholt::cli {

using catalogue::ByteSource;
using catalogue::kStandardInputName;
using files::ByteSink;

// What the program's exit status tells, in every command alike.
enum ExitStatus : int {
    kExitSuccess = 0,      // every number valid, every file read and written
    kExitNotAllValid = 1,  // some number is not valid, or could not be drawn
    kExitFailure = 2,      // a usage error, or reading or writing failed
};

// The process's standard output and error as a command sees them, and whether each is a
// terminal.
struct Streams {
    ByteSink& out;
    ByteSink& err;
    bool outIsTerminal = false;
    bool errIsTerminal = false;
};

// Whether a file descriptor is a terminal.
bool IsTerminal(int fd) noexcept;

}  // namespace varnholt::cli
