#include "catalogue/ByteSource.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

namespace varnholt::catalogue {

InputFile::InputFile(const std::string& path)
    : fd_(path == "-" ? STDIN_FILENO : ::open(path.c_str(), O_RDONLY | O_CLOEXEC)) {
    if (fd_ < 0) {
        throw ReadError(errno, std::generic_category());
    }
}

InputFile::~InputFile() {
    if (fd_ != STDIN_FILENO) {
        ::close(fd_);
    }
}

std::size_t InputFile::Read(char* into, std::size_t room) {
    for (;;) {
        const ssize_t count = ::read(fd_, into, room);
        if (count >= 0) {
            return static_cast<std::size_t>(count);
        }
        if (errno != EINTR) {
            throw ReadError(errno, std::generic_category());
        }
    }
}

std::size_t SizeOfInput(const std::string& path) noexcept {
    struct stat info {};
    const int result = path == "-" ? ::fstat(STDIN_FILENO, &info) : ::stat(path.c_str(), &info);
    return result == 0 && S_ISREG(info.st_mode) ? static_cast<std::size_t>(info.st_size) : 0;
}

}  // namespace varnholt::catalogue
