#pragma once

#include <string>
#include <string_view>

#include "model/Result.h"

namespace varnholt::files {

// Whether the bytes are on disk before the file takes its name. Deferred leaves that to the
// caller's SyncFileSystem: a batch of small files pays for one flush instead of one each,
// which costs more than making the file. Until that flush, a crash may lose the new files,
// but a running reader still never sees one half-written.
enum class Flush { BeforeRename, Deferred };

// A file written whole or not at all: open, write, commit. Until Commit the file has no name
// (where the file system allows; elsewhere a temporary name beside it), so that a process
// killed at any moment leaves the old file or the whole new one and nothing else. A replaced
// file keeps its permissions. "-" is standard output, and a device or pipe (/dev/stdout,
// /dev/full) is written as it stands, as there is nothing to replace. Dropped uncommitted,
// it leaves nothing behind.
class AtomicFile {
  public:
    // Opens the file for `path`; refused, of kind Output, naming the file.
    static Result<AtomicFile> Open(const std::string& path, Flush flush = Flush::BeforeRename);

    AtomicFile(AtomicFile&& other) noexcept;
    AtomicFile& operator=(AtomicFile&&) = delete;
    ~AtomicFile();

    // Appends `bytes`; false once a write failed (Commit then says why).
    bool Write(std::string_view bytes);
    // Puts the bytes on disk (unless deferred) and gives the file its name; refused, naming
    // the file, when a write failed or the file cannot be put in place, which then leaves
    // nothing behind.
    Result<Done> Commit();

  private:
    enum class Placing { InPlace, Unnamed, Named };
    AtomicFile(std::string path, int fd, Placing placing, Flush flush, bool replaces)
        : path_(std::move(path)), fd_(fd), placing_(placing), flush_(flush), replaces_(replaces) {}
    int PutInPlace();

    std::string path_;
    std::string temporary_;  // the name of a Named file until Commit
    int fd_ = -1;
    int error_ = 0;
    Placing placing_;
    Flush flush_;
    bool replaces_;
};

// Writes `bytes` to the file at `path` as one AtomicFile; refused, naming the file.
Result<Done> WriteFileAtomically(const std::string& path, std::string_view bytes,
                                 Flush flush = Flush::BeforeRename);

}  // namespace varnholt::files
