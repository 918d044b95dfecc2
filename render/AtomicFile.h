#pragma once

#include <string>
#include <string_view>
#include <utility>

#include "model/Result.h"

namespace varnholt::render {

// Writes `bytes` to the file at `path` whole or not at all, flushed to disk before the file
// takes its name: a new file is made without a name and linked into place (or, where the
// file system cannot, made under a temporary name and renamed); a file that is replaced is
// written beside it and renamed over it, and keeps its permissions. On failure nothing is
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

// A file written a piece at a time that takes its name only once whole: under a temporary
// name beside it, flushed and renamed by Commit. Dropped uncommitted, it leaves nothing
// behind. A device or pipe is written as it stands.
class AtomicStream {
  public:
    // Opens the temporary file for `path`; refused, of kind Output, naming the file.
    static Result<AtomicStream> Open(const std::string& path);

    AtomicStream(AtomicStream&& other) noexcept;
    AtomicStream& operator=(AtomicStream&&) = delete;
    ~AtomicStream();

    // Appends `bytes`; false once a write failed (Commit then says why).
    bool Write(std::string_view bytes);
    // Flushes the file to disk and gives it its name; refused, naming the file, when a write
    // failed or the file cannot be put in place, which then leaves nothing behind.
    Result<Done> Commit();

  private:
    AtomicStream(std::string path, std::string temporary, int fd)
        : path_(std::move(path)), temporary_(std::move(temporary)), fd_(fd) {}

    std::string path_;
    std::string temporary_;  // empty for a device written in place
    int fd_ = -1;
    int error_ = 0;
};

}  // namespace varnholt::render
