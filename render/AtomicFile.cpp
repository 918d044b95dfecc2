#include "render/AtomicFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstring>
#include <optional>
#include <utility>

namespace varnholt::render {
namespace {

Result<Done> Failure(const std::string& path, int error) {
    return Result<Done>::Failure(ErrorKind::Output, path + ": " + std::strerror(error));
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

// Writes `bytes` to `fd` and, when asked, puts them on disk; the error number, or 0. On
// disk before the file gets its name, so that a crash leaves the old file or the whole new
// one; a full disk may only show then, or when the file is closed.
int WriteAndFlush(int fd, std::string_view bytes, Flush flush) {
    int error = WriteAll(fd, bytes);
    if (error == 0 && flush == Flush::BeforeRename && fsync(fd) != 0) {
        error = errno;
    }
    return error;
}

// A new file under a name beside `path` that no other writer uses, its name in `temporary`;
// the descriptor, or -1 with errno set.
int OpenTemporary(const std::string& path, std::string& temporary) {
    int fd = -1;
    do {
        temporary = TemporaryName(path);
        fd = open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    } while (fd < 0 && errno == EEXIST);
    return fd;
}

// A new file made without a name in its folder and linked into place once whole: one change
// to the folder where a temporary name takes two. Nothing when that cannot be done here (no
// O_TMPFILE on this file system, no /proc, or a file of that name came meanwhile), and the
// caller takes the temporary name instead.
std::optional<Result<Done>> WriteUnnamed(const std::string& path, std::string_view bytes,
                                         Flush flush) {
#ifdef O_TMPFILE
    const std::size_t slash = path.rfind('/');
    const std::string folder = slash == std::string::npos ? "."
                               : slash == 0               ? "/"
                                                          : path.substr(0, slash);
    // The usual mode, less the umask, as a file the program made directly would have.
    const int fd = open(folder.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0666);
    if (fd < 0) {
        return std::nullopt;
    }
    int error = WriteAndFlush(fd, bytes, flush);
    if (error == 0) {
        const std::string self = "/proc/self/fd/" + std::to_string(fd);
        error = linkat(AT_FDCWD, self.c_str(), AT_FDCWD, path.c_str(), AT_SYMLINK_FOLLOW) == 0
                    ? 0
                    : errno;
        if (error == EEXIST || error == ENOENT) {
            close(fd);
            return std::nullopt;
        }
    }
    if (close(fd) != 0 && error == 0) {
        error = errno;  // the file is in place, but may not hold what was written
        unlink(path.c_str());
    }
    return error == 0 ? Result<Done>(Done{}) : Failure(path, error);
#else
    (void)path, (void)bytes, (void)flush;
    return std::nullopt;
#endif
}

// Through a temporary name beside `path`, renamed over it.
Result<Done> WriteThroughTemporary(const std::string& path, std::string_view bytes, Flush flush,
                                   const struct stat* replaced) {
    std::string temporary;
    const int fd = OpenTemporary(path, temporary);
    if (fd < 0) {
        return Failure(path, errno);
    }
    // A file that is replaced keeps its permissions.
    if (replaced != nullptr) {
        fchmod(fd, replaced->st_mode & 07777);
    }
    int error = WriteAndFlush(fd, bytes, flush);
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

}  // namespace

Result<Done> WriteFileAtomically(const std::string& path, std::string_view bytes, Flush flush) {
    if (path.empty()) {
        return Result<Done>::Failure(ErrorKind::Output, "no file name given");
    }
    struct stat existing {};
    const bool exists = stat(path.c_str(), &existing) == 0;
    if (exists && S_ISDIR(existing.st_mode)) {
        return Failure(path, EISDIR);
    }
    if (exists && !S_ISREG(existing.st_mode)) {
        return WriteInPlace(path, bytes);
    }
    if (!exists) {
        if (std::optional<Result<Done>> written = WriteUnnamed(path, bytes, flush)) {
            return *std::move(written);
        }
    }
    return WriteThroughTemporary(path, bytes, flush, exists ? &existing : nullptr);
}

Result<int> MakeFoldersFor(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos || slash == 0) {
        return 0;
    }
    const std::string folder = path.substr(0, slash);
    struct stat existing {};
    if (stat(folder.c_str(), &existing) == 0 && S_ISDIR(existing.st_mode)) {
        return 0;  // the usual case: one look
    }
    int made = 0;
    for (std::size_t end = folder.find('/', 1);; end = folder.find('/', end + 1)) {
        const std::string part = folder.substr(0, end);
        if (mkdir(part.c_str(), 0777) == 0) {
            ++made;
        } else if (errno != EEXIST) {
            return Result<int>::Failure(ErrorKind::Output, part + ": " + std::strerror(errno));
        } else if (stat(part.c_str(), &existing) != 0 || !S_ISDIR(existing.st_mode)) {
            return Result<int>::Failure(ErrorKind::Output, part + ": " + std::strerror(ENOTDIR));
        }
        if (end == std::string::npos) {
            return made;
        }
    }
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

Result<AtomicStream> AtomicStream::Open(const std::string& path) {
    if (path.empty()) {
        return Result<AtomicStream>::Failure(ErrorKind::Output, "no file name given");
    }
    struct stat existing {};
    const bool exists = stat(path.c_str(), &existing) == 0;
    if (exists && S_ISDIR(existing.st_mode)) {
        return Result<AtomicStream>::FailureOf(Failure(path, EISDIR));
    }
    if (exists && !S_ISREG(existing.st_mode)) {
        const int fd = open(path.c_str(), O_WRONLY | O_CLOEXEC);
        if (fd < 0) {
            return Result<AtomicStream>::FailureOf(Failure(path, errno));
        }
        return AtomicStream(path, "", fd);
    }
    std::string temporary;
    const int fd = OpenTemporary(path, temporary);
    if (fd < 0) {
        return Result<AtomicStream>::FailureOf(Failure(path, errno));
    }
    if (exists) {
        fchmod(fd, existing.st_mode & 07777);  // a file that is replaced keeps its permissions
    }
    return AtomicStream(path, std::move(temporary), fd);
}

AtomicStream::AtomicStream(AtomicStream&& other) noexcept
    : path_(std::move(other.path_)),
      temporary_(std::move(other.temporary_)),
      fd_(std::exchange(other.fd_, -1)),
      error_(other.error_) {}

AtomicStream::~AtomicStream() {
    if (fd_ >= 0) {
        close(fd_);
        if (!temporary_.empty()) {
            unlink(temporary_.c_str());
        }
    }
}

bool AtomicStream::Write(std::string_view bytes) {
    if (error_ == 0) {
        error_ = WriteAll(fd_, bytes);
    }
    return error_ == 0;
}

Result<Done> AtomicStream::Commit() {
    int error = error_;
    if (error == 0 && !temporary_.empty() && fsync(fd_) != 0) {
        error = errno;
    }
    if (close(std::exchange(fd_, -1)) != 0 && error == 0) {
        error = errno;
    }
    if (error == 0 && !temporary_.empty() && rename(temporary_.c_str(), path_.c_str()) != 0) {
        error = errno;
    }
    if (error != 0) {
        if (!temporary_.empty()) {
            unlink(temporary_.c_str());
        }
        return Failure(path_, error);
    }
    return Done{};
}

}  // namespace varnholt::render
