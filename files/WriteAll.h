#pragma once

#include <string_view>

namespace varnholt::files {

// Writes all of `bytes` to the descriptor `fd`, again after an interrupted or short write;
// the error number, or 0.
int WriteAll(int fd, std::string_view bytes) noexcept;

}  // namespace varnholt::files
