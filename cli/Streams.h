#pragma once

#include "cli/ByteStreams.h"

namespace varnholt::cli {

// The process's standard output and error as a command sees them, and whether each is a
// terminal.
struct Streams {
    ByteSink& out;
    ByteSink& err;
    bool outIsTerminal = false;
    bool errIsTerminal = false;
};

}  // namespace varnholt::cli
