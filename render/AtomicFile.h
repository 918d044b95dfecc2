#pragma once

#include <string>
#include <string_view>

#include "render/Result.h"

namespace varnholt::render {

// Writes `bytes` to the file at `path` whole or not at all: into a temporary file beside it,
// flushed to disk, then renamed over the target, whose permissions a replaced file keeps. On
// failure nothing is left behind, and the message names the file and what went wrong. A
// device or pipe (/dev/stdout, /dev/full) is written as it stands, as there is nothing to
// replace.
Result<Done> WriteFileAtomically(const std::string& path, std::string_view bytes);

}  // namespace varnholt::render
