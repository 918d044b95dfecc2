#pragma once

#include <string>
#include <vector>

#include "cli/RowWriter.h"
#include "cli/Streams.h"

namespace varnholt::cli {

// What `varnholt check` was asked to do.
struct CheckOptions {
    // "-" is standard input; no file at all reads standard input too.
    std::vector<std::string> files;
    Format format = Format::Table;
    // Rows only for numbers that are not valid.
    bool invalidOnly = false;
    // No rows and no message per line: only the summary and the exit status.
    bool quiet = false;
};

// Checks every line of every input, writes the rows, a message per line that is no number
// and the summary; returns the exit status. Inputs that cannot be read are reported and
// passed over; output that cannot be written ends the run.
int RunCheck(const CheckOptions& options, const Streams& streams);

}  // namespace varnholt::cli
