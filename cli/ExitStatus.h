#pragma once

namespace varnholt::cli {

// What the program's exit status tells, in every command alike.
inline constexpr int kExitSuccess = 0;      // every number valid, every file read and written
inline constexpr int kExitNotAllValid = 1;  // some number is not valid
inline constexpr int kExitFailure = 2;      // a usage error, or reading or writing failed

}  // namespace varnholt::cli
