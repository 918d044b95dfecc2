#pragma once

#include <sys/types.h>

#include <condition_variable>
#include <cstdint>
#include <deque>
#include <map>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "model/Result.h"
#include "render/FileFormat.h"
#include "render/Layout.h"

namespace varnholt::cli {

// Draws and writes a batch's files on threads of their own, one a processor (PDF and EPS:
// one), while the caller reads and lays out the next numbers. Each file is written whole or
// not at all; they are put on disk once, at the end, rather than one by one. After a file
// cannot be drawn or written no more are, and the batch is told to stop.
class BatchWriter {
  public:
    explicit BatchWriter(render::FileFormat format);
    BatchWriter(const BatchWriter&) = delete;
    BatchWriter& operator=(const BatchWriter&) = delete;
    ~BatchWriter();

    // Queues a symbol for its file, waiting while many are queued; false once a file could
    // not be drawn or written.
    bool Write(render::Layout layout, std::string path);

    // Waits for the queued files and puts them on disk; refused, of kind Output, with the
    // first thing that went wrong.
    Result<Done> Finish();

    // Files written so far; all of them once Finish has returned.
    std::uint64_t Written();

  private:
    struct File {
        render::Layout layout;
        std::string path;
    };

    void Run();
    // The reason a file was not made, or nothing.
    std::optional<std::string> Make(const File& file);
    void NoteFolderOf(const std::string& path);

    const render::FileFormat format_;
    std::mutex mutex_;
    // Each side is woken only when the other has something for it: a queued file for an idle
    // thread, room in the queue for a waiting caller. A wake-up costs more than an SVG file.
    std::condition_variable work_;
    std::condition_variable room_;
    unsigned idle_ = 0;           // threads waiting for work
    bool callerWaiting_ = false;  // the caller waiting for room
    std::deque<File> queue_;
    bool finishing_ = false;
    std::optional<std::string> failure_;
    std::uint64_t written_ = 0;
    std::map<dev_t, std::string> fileSystems_;
    std::string lastFolder_;
    std::vector<std::thread> threads_;  // last: they start once the rest is made
};

}  // namespace varnholt::cli
