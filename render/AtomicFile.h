#pragma once

#include <string>
#include <string_view>

#include "render/Result.h"

namespace varnholt::render {

// Writes `bytes` to the file at `path` whole or not at all, flushed to disk before the file
// takes its name: it is written under a temporary name beside it and renamed into place, and
// a file that is replaced keeps its permissions. On failure nothing is
// left behind, and the message names the file and what went wrong. A
// device or pipe (/dev/stdout, /dev/full) is written as it stands, as there is nothing to
// replace.
//
// Deferred leaves the flush to the caller's SyncFileSystem: a batch of small files pays for
// one flush instead of one each, which costs more than making the file. Until that flush, a
// crash may lose the new files, but a running reader still never sees one half-written.
enum class Flush { BeforeRename, Deferred };
Result<Done> WriteFileAtomically(const std::string& path, std::string_view bytes,
                                 Flush flush = Flush::BeforeRename);

// Makes the missing folders of `path`'s folder part, as mkdir -p does (the umask applies);
// how many it made. Refused, of kind Output, when one cannot be made, naming it, or when a
// part of the folder is a file ("Not a directory").
Result<int> MakeFoldersFor(const std::string& path);

// Puts on disk everything written to the file system that holds `folder`.
Result<Done> SyncFileSystem(const std::string& folder);

}  // namespace varnholt::render
