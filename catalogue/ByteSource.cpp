#include "catalogue/ByteSource.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <system_error>

namespace varnholt::catalogue {

Result<Done> SystemFailure(int error) {
    return Result<Done>::Failure(ErrorKind::Output, std::generic_category().message(error));
}

Result<InputFile> InputFile::Open(const std::string& path) {
    const int fd = path == "-" ? STDIN_FILENO : ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        return Result<InputFile>::FailureOf(SystemFailure(errno));
    }
    return InputFile(fd);
}

InputFile::~InputFile() {
    if (fd_ >= 0 && fd_ != STDIN_FILENO) {
        ::close(fd_);
    }
}

Result<std::size_t> InputFile::Read(char* into, std::size_t room) {
    for (;;) {
        const ssize_t count = ::read(fd_, into, room);
        if (count >= 0) {
            return static_cast<std::size_t>(count);
        }
        if (errno != EINTR) {
            return Result<std::size_t>::FailureOf(SystemFailure(errno));
        }
    }
}

std::size_t SizeOfInput(const std::string& path) noexcept {
    struct stat info {};
    const int result = path == "-" ? ::fstat(STDIN_FILENO, &info) : ::stat(path.c_str(), &info);
    return result == 0 && S_ISREG(info.st_mode) ? static_cast<std::size_t>(info.st_size) : 0;
}

}  // namespace varnholt::catalogue
