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

namespace varnholt::cli {

// Writes a batch's files on a thread of its own while the caller draws the next ones: making
// a small file costs the system about as much as drawing it. Each file is written whole or
// not at all; they are put on disk once, at the end, rather than one by one. After a file
// cannot be written no more are, and the batch is told to stop.
class BatchWriter {
  public:
    BatchWriter();
    BatchWriter(const BatchWriter&) = delete;
    BatchWriter& operator=(const BatchWriter&) = delete;
    ~BatchWriter();

    // Queues a file, waiting while many are queued; false once a file could not be written.
    bool Write(std::string path, std::string bytes);

    // Waits for the queued files and puts them on disk; what went wrong, if anything.
    std::optional<std::string> Finish();

    // Files written so far; all of them once Finish has returned.
    std::uint64_t Written();

  private:
    struct File {
        std::string path;
        std::string bytes;
    };

    void Run();
    void NoteFolderOf(const std::string& path);

    std::mutex mutex_;
    std::condition_variable changed_;
    std::deque<File> queue_;
    bool finishing_ = false;
    std::optional<std::string> failure_;
    std::uint64_t written_ = 0;
    // Touched by the writing thread alone until it has ended.
    std::map<dev_t, std::string> fileSystems_;
    std::string lastFolder_;
    std::thread thread_;  // last: it starts once the rest is made
};

}  // namespace varnholt::cli
