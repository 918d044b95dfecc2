#include "render/AtomicFile.h"

#include <fcntl.h>
#include <sys/stat.h>
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

// Writes all of `bytes` to `fd`; the error number, or 0.
int WriteAll(int fd, std::string_view bytes) {
    for (std::size_t written = 0; written < bytes.size();) {
        const ssize_t n = write(fd, bytes.data() + written, bytes.size() - written);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n < 0) {
            return errno;
        }
        written += static_cast<std::size_t>(n);
    }
    return 0;
}

// A device, pipe or socket is written as it is: there is no file to replace, and renaming
// over it would remove it.
Result<Done> WriteInPlace(const std::string& path, std::string_view bytes) {
    const int fd = open(path.c_str(), O_WRONLY | O_CLOEXEC);
    if (fd < 0) {
        return Failure(path, errno);
    }
    const int error = WriteAll(fd, bytes);
    if (close(fd) != 0 && error == 0) {
        return Failure(path, errno);
    }
    return error == 0 ? Result<Done>(Done{}) : Failure(path, error);
}

}  // namespace

Result<Done> WriteFileAtomically(const std::string& path, std::string_view bytes, Flush flush) {
    if (path.empty()) {
        return Result<Done>::Failure("no file name given");
    }
    struct stat existing {};
    const bool exists = stat(path.c_str(), &existing) == 0;
    if (exists && S_ISDIR(existing.st_mode)) {
        return Failure(path, EISDIR);
    }
    if (exists && !S_ISREG(existing.st_mode)) {
        return WriteInPlace(path, bytes);
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
    // A file that is replaced keeps its permissions.
    if (exists) {
        fchmod(fd, existing.st_mode & 07777);
    }
    // On disk before the rename, so that a crash leaves the old file or the whole new one; a
    // full disk may only show then, or when the file is closed.
    int error = WriteAll(fd, bytes);
    if (error == 0 && flush == Flush::BeforeRename && fsync(fd) != 0) {
        error = errno;
    }
    if (close(fd) != 0 && error == 0) {
        error = errno;
    }
    if (error == 0 && rename(temporary.c_str(), path.c_str()) != 0) {
        error = errno;
    }
    if (error != 0) {
        unlink(temporary.c_str());
        return Failure(path, error);
    }
    return Done{};
}

Result<Done> SyncFileSystem(const std::string& folder) {
    const int fd = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) {
        return Failure(folder, errno);
    }
    const int error = syncfs(fd) == 0 ? 0 : errno;
    close(fd);
    return error == 0 ? Result<Done>(Done{}) : Failure(folder, error);
}

}  // namespace varnholt::render
