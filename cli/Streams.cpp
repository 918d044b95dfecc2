#include "cli/Streams.h"

#include <unistd.h>

namespace varnholt::cli {

bool IsTerminal(int fd) noexcept {
    return ::isatty(fd) == 1;
}

}  // namespace varnholt::cli
