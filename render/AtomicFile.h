#pragma once

#include <string>
#include <string_view>

#include "render/Result.h"

namespace varnholt::render {

// Writes `bytes` to the file at `path` whole or not at all: into a temporary file beside it,
// flushed to disk, then renamed over the target. On failure nothing is left behind, and the
// message names the file and what went wrong.
Result<Done> WriteFileAtomically(const std::string& path, std::string_view bytes);

}  // namespace varnholt::render
