#pragma once

#include <optional>
#include <string>

#include "cli/Streams.h"
#include "render/Format.h"
#include "render/Options.h"

namespace varnholt::cli {

// What `varnholt render` was asked to do.
struct RenderRequest {
    // One number, or a file of numbers one per line ("-": standard input); one of the two.
    std::optional<std::string> number;
    std::optional<std::string> batch;
    // A file, "-" for standard output, or for a batch a pattern of file names.
    std::string output;
    // Nothing: from the output's extension.
    std::optional<render::Format> format;
    render::Options options;
    // No report of the size and no summary; errors only.
    bool quiet = false;
};

// Renders the number or every line of the batch, each file whole or not at all, and says
// once what the request came to; returns the exit status. A usage error (options that
// cannot be printed, a format that cannot be told, a batch pattern without a placeholder) is
// refused before anything is written. A number that cannot be drawn is reported with its
// line and passed over; a file that cannot be written ends the run.
int RunRender(const RenderRequest& request, const Streams& streams);

}  // namespace varnholt::cli
