#include "files/Folders.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace varnholt::files {

std::string FolderOf(std::string_view path) {
    const std::size_t slash = path.rfind('/');
    return slash == std::string_view::npos ? "."
           : slash == 0                    ? "/"
                                           : std::string(path.substr(0, slash));
}

Result<int> MakeFoldersFor(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos || slash == 0) {
        return 0;
    }
    const std::string folder = FolderOf(path);
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
    int error = fd < 0 ? errno : 0;
    if (fd >= 0) {
        error = syncfs(fd) == 0 ? 0 : errno;
        close(fd);
    }
    if (error != 0) {
        return Result<Done>::Failure(ErrorKind::Output, folder + ": " + std::strerror(error));
    }
    return Done{};
}

}  // namespace varnholt::files
