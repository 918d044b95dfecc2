#pragma once

#include <string>
#include <string_view>

#include "model/Result.h"

namespace varnholt::files {

// The folder part of `path`: "labels" of "labels/a.svg", "/" of "/a.svg", "." of "a.svg".
std::string FolderOf(std::string_view path);

// Makes the missing folders of `path`'s folder part, as mkdir -p does (the umask applies);
// how many it made. Refused, of kind Output, when one cannot be made, naming it, or when a
// part of the folder is a file ("Not a directory").
Result<int> MakeFoldersFor(const std::string& path);

// Puts on disk everything written to the file system that holds `folder`.
Result<Done> SyncFileSystem(const std::string& folder);

}  // namespace varnholt::files
