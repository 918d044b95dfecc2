#include "render/AtomicFile.h"

#include <fcntl.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstring>

namespace varnholt::render {
namespace {

Result<Done> Failure(const std::string& path, int error) {
    return Result<Done>::Failure(path + ": " + std::strerror(error));
}

// A name beside `path` that no other writer uses: this process's id and a count.
std::string TemporaryName(const std::string& path) {
    static std::atomic<unsigned long> count{0};
    return path + ".tmp-" + std::to_string(getpid()) + "-" + std::to_string(count++);
}

}  // namespace

Result<Done> WriteFileAtomically(const std::string& path, std::string_view bytes) {
    if (path.empty()) {
        return Result<Done>::Failure("no file name given");
    }
    std::string temporary;
    int fd = -1;
    do {
        temporary = TemporaryName(path);
        // The usual mode, less the umask, as a file the program made directly would have.
        fd = open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    } while (fd < 0 && errno == EEXIST);
    if (fd < 0) {
        return Failure(path, errno);
    }
    for (std::size_t written = 0; written < bytes.size();) {
        const ssize_t n = write(fd, bytes.data() + written, bytes.size() - written);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n < 0) {
            const int error = errno;
            close(fd);
            unlink(temporary.c_str());
            return Failure(path, error);
        }
        written += static_cast<std::size_t>(n);
    }
    // On disk before the rename, so that a crash leaves the old file or the whole new one; a
    // full disk may only show now, or when the file is closed.
    if (fsync(fd) != 0) {
        const int error = errno;
        close(fd);
        unlink(temporary.c_str());
        return Failure(path, error);
    }
    if (close(fd) != 0 || rename(temporary.c_str(), path.c_str()) != 0) {
        const int error = errno;
        unlink(temporary.c_str());
        return Failure(path, error);
    }
    return Done{};
}

}  // namespace varnholt::render
