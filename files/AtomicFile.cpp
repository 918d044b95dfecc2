#include "files/AtomicFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstring>
#include <optional>
#include <utility>

#include "files/Folders.h"
#include "files/WriteAll.h"

namespace varnholt::files {
namespace {

Result<Done> Failure(const std::string& path, int error) {
    return Result<Done>::Failure(ErrorKind::Output, path + ": " + std::strerror(error));
}

// A name beside `path` that no other writer uses: this process's id and a count.
std::string TemporaryName(const std::string& path) {
    static std::atomic<unsigned long> count{0};
    return path + ".tmp-" + std::to_string(getpid()) + "-" + std::to_string(count++);
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

// A file without a name in `path`'s folder; -1 where the file system cannot make one, or
// where it could not be linked into place for want of /proc. The usual mode, less the
// umask, as a file the program made directly would have.
int OpenUnnamed([[maybe_unused]] const std::string& path) {
#ifdef O_TMPFILE
    static const bool linkable = access("/proc/self/fd", F_OK) == 0;
    return linkable ? open(FolderOf(path).c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0666) : -1;
#else
    return -1;
#endif
}

// Gives the unnamed file `fd` the name `name`; the error number, or 0. Through the descriptor
// itself where the kernel allows that (it takes CAP_DAC_READ_SEARCH), which spares a look-up
// of its /proc name; a refusal is remembered, so that a process pays for it once.
int LinkUnnamed(int fd, const std::string& name) {
    static std::atomic<bool> emptyPathRefused{false};
    if (!emptyPathRefused.load(std::memory_order_relaxed)) {
        if (linkat(fd, "", AT_FDCWD, name.c_str(), AT_EMPTY_PATH) == 0) {
            return 0;
        }
        if (errno != ENOENT && errno != EPERM) {
            return errno;
        }
        emptyPathRefused.store(true, std::memory_order_relaxed);
    }
    const std::string self = "/proc/self/fd/" + std::to_string(fd);
    return linkat(AT_FDCWD, self.c_str(), AT_FDCWD, name.c_str(), AT_SYMLINK_FOLLOW) == 0 ? 0
                                                                                          : errno;
}

// The usual case of a whole file, a new one: made without a name and linked into place
// without a look at the name first. Nothing when that cannot be done (no such file system,
// or the name is taken), and the caller goes the general way, which looks first.
std::optional<Result<Done>> WriteNew(const std::string& path, std::string_view bytes, Flush flush) {
    const int fd = OpenUnnamed(path);
    if (fd < 0) {
        return std::nullopt;
    }
    int error = WriteAll(fd, bytes);
    if (error == 0 && flush == Flush::BeforeRename && fsync(fd) != 0) {
        error = errno;
    }
    if (error == 0) {
        error = LinkUnnamed(fd, path);
        if (error == EEXIST) {
            close(fd);
            return std::nullopt;
        }
    }
    if (close(fd) != 0 && error == 0) {
        error = errno;  // the file is in place, but may not hold what was written
        unlink(path.c_str());
    }
    return error == 0 ? Result<Done>(Done{}) : Failure(path, error);
}

}  // namespace

Result<AtomicFile> AtomicFile::Open(const std::string& path, Flush flush) {
    using Opened = Result<AtomicFile>;
    if (path.empty()) {
        return Opened::Failure(ErrorKind::Output, "no file name given");
    }
    if (path == "-") {
        return AtomicFile(path, STDOUT_FILENO, Placing::InPlace, flush, false);
    }
    struct stat existing {};
    const bool exists = stat(path.c_str(), &existing) == 0;
    if (exists && S_ISDIR(existing.st_mode)) {
        return Opened::FailureOf(Failure(path, EISDIR));
    }
    // A device, pipe or socket is written as it is: renaming over it would remove it.
    if (exists && !S_ISREG(existing.st_mode)) {
        const int fd = open(path.c_str(), O_WRONLY | O_CLOEXEC);
        if (fd < 0) {
            return Opened::FailureOf(Failure(path, errno));
        }
        return AtomicFile(path, fd, Placing::InPlace, flush, false);
    }
    int fd = OpenUnnamed(path);
    Placing placing = Placing::Unnamed;
    std::string temporary;
    if (fd < 0) {
        fd = OpenTemporary(path, temporary);
        placing = Placing::Named;
    }
    if (fd < 0) {
        return Opened::FailureOf(Failure(path, errno));
    }
    if (exists) {
        fchmod(fd, existing.st_mode & 07777);  // a file that is replaced keeps its permissions
    }
    AtomicFile file(path, fd, placing, flush, exists);
    file.temporary_ = std::move(temporary);
    return file;
}

AtomicFile::AtomicFile(AtomicFile&& other) noexcept
    : path_(std::move(other.path_)),
      temporary_(std::move(other.temporary_)),
      fd_(std::exchange(other.fd_, -1)),
      error_(other.error_),
      placing_(other.placing_),
      flush_(other.flush_),
      replaces_(other.replaces_) {}

AtomicFile::~AtomicFile() {
    if (fd_ < 0 || path_ == "-") {
        return;
    }
    close(fd_);
    if (placing_ == Placing::Named) {
        unlink(temporary_.c_str());
    }
}

bool AtomicFile::Write(std::string_view bytes) {
    if (error_ == 0) {
        error_ = WriteAll(fd_, bytes);
    }
    return error_ == 0;
}

// Gives the written file its name; the error number, or 0. A new file is linked into place
// in one change to the folder; a replaced one (or a new one whose name came meanwhile) gets
// a temporary name that is renamed over the old file at once.
int AtomicFile::PutInPlace() {
    if (placing_ == Placing::Unnamed) {
        if (!replaces_) {
            const int error = LinkUnnamed(fd_, path_);
            if (error != EEXIST) {
                return error;
            }
        }
        int error = EEXIST;
        while (error == EEXIST) {
            temporary_ = TemporaryName(path_);
            error = LinkUnnamed(fd_, temporary_);
        }
        if (error != 0) {
            return error;
        }
    }
    if (rename(temporary_.c_str(), path_.c_str()) != 0) {
        const int error = errno;
        unlink(temporary_.c_str());
        return error;
    }
    return 0;
}

Result<Done> AtomicFile::Commit() {
    int error = error_;
    if (placing_ == Placing::InPlace) {
        const int fd = std::exchange(fd_, -1);
        if (path_ != "-" && close(fd) != 0 && error == 0) {
            error = errno;
        }
        return error == 0 ? Result<Done>(Done{}) : Failure(path_, error);
    }
    if (error == 0 && flush_ == Flush::BeforeRename && fsync(fd_) != 0) {
        error = errno;  // a full disk may only show here
    }
    if (error == 0 && placing_ == Placing::Named && close(std::exchange(fd_, -1)) != 0) {
        error = errno;
    }
    if (error == 0) {
        error = PutInPlace();
    }
    const int fd = std::exchange(fd_, -1);
    if (fd >= 0 && close(fd) != 0 && error == 0) {
        error = errno;  // the file is in place, but may not hold what was written
        unlink(path_.c_str());
    }
    if (error != 0) {
        if (placing_ == Placing::Named) {
            unlink(temporary_.c_str());
        }
        return Failure(path_, error);
    }
    return Done{};
}

Result<Done> WriteFileAtomically(const std::string& path, std::string_view bytes, Flush flush) {
    if (!path.empty() && path != "-") {
        if (std::optional<Result<Done>> written = WriteNew(path, bytes, flush)) {
            return *std::move(written);
        }
    }
    Result<AtomicFile> file = AtomicFile::Open(path, flush);
    if (!file) {
        return Result<Done>::FailureOf(file);
    }
    AtomicFile opened = *std::move(file);
    opened.Write(bytes);
    return opened.Commit();
}

}  // namespace varnholt::files
