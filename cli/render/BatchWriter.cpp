#include "cli/render/BatchWriter.h"

#include <sys/stat.h>

#include <algorithm>

#include "files/AtomicFile.h"
#include "files/Folders.h"
#include "model/DisplayText.h"

namespace varnholt::cli {
namespace {

// Enough to keep the threads busy, few enough to hold little memory.
constexpr std::size_t kMostQueued = 64;
// A waiting caller is woken once the queue is down to this, to queue many at a time.
constexpr std::size_t kRefillAt = kMostQueued / 2;
constexpr unsigned kMostThreads = 8;

// Threads for a format: one a processor, but one only for PDF and EPS, whose Cairo surfaces
// share memory between threads without a lock that ThreadSanitizer can see.
unsigned ThreadsFor(render::FileFormat format) {
    if (format == render::FileFormat::Pdf || format == render::FileFormat::Eps) {
        return 1;
    }
    return std::clamp(std::thread::hardware_concurrency(), 1U, kMostThreads);
}

}  // namespace

BatchWriter::BatchWriter(render::FileFormat format) : format_(format) {
    const unsigned count = ThreadsFor(format);
    for (unsigned i = 0; i < count; ++i) {
        threads_.emplace_back([this] { Run(); });
    }
}

BatchWriter::~BatchWriter() {
    Finish();
}

bool BatchWriter::Write(render::Layout layout, std::string path) {
    std::unique_lock lock(mutex_);
    if (queue_.size() >= kMostQueued && !failure_) {
        callerWaiting_ = true;
        room_.wait(lock, [this] { return queue_.size() <= kRefillAt || failure_; });
        callerWaiting_ = false;
    }
    if (failure_) {
        return false;
    }
    queue_.push_back({std::move(layout), std::move(path)});
    if (idle_ > 0) {
        work_.notify_one();
    }
    return true;
}

Result<Done> BatchWriter::Finish() {
    {
        const std::lock_guard lock(mutex_);
        finishing_ = true;
    }
    work_.notify_all();
    for (std::thread& thread : threads_) {
        if (thread.joinable()) {
            thread.join();
        }
    }
    for (const auto& [device, folder] : fileSystems_) {
        const Result<Done> synced = files::SyncFileSystem(folder);
        if (!synced && !failure_) {
            failure_ = SafeText(synced.Error());
        }
    }
    fileSystems_.clear();
    if (failure_) {
        return Result<Done>::Failure(ErrorKind::Output, *failure_);
    }
    return Done{};
}

std::uint64_t BatchWriter::Written() {
    const std::lock_guard lock(mutex_);
    return written_;
}

void BatchWriter::Run() {
    std::unique_lock lock(mutex_);
    while (true) {
        if (queue_.empty() && !finishing_ && !failure_) {
            ++idle_;
            work_.wait(lock, [this] { return !queue_.empty() || finishing_ || failure_; });
            --idle_;
        }
        if (queue_.empty() || failure_) {
            return;
        }
        const File file = std::move(queue_.front());
        queue_.pop_front();
        if (callerWaiting_ && queue_.size() <= kRefillAt) {
            room_.notify_one();
        }
        lock.unlock();
        std::optional<std::string> failure = Make(file);
        lock.lock();
        if (failure) {
            if (!failure_) {
                failure_ = std::move(failure);
            }
            queue_.clear();
            work_.notify_all();
            room_.notify_all();
            return;
        }
        ++written_;
        NoteFolderOf(file.path);
    }
}

std::optional<std::string> BatchWriter::Make(const File& file) {
    const Result<std::string> bytes = render::Encode(file.layout, format_);
    if (!bytes) {
        return file.layout.number + ": " + bytes.Error();
    }
    const Result<Done> done = files::WriteFileAtomically(file.path, *bytes, files::Flush::Deferred);
    if (!done) {
        return SafeText(done.Error());
    }
    return std::nullopt;
}

// Remembers the file system a file went to, to put it on disk at the end; a pattern usually
// keeps one folder, so the folder is looked at only when it changes. Under the lock.
void BatchWriter::NoteFolderOf(const std::string& path) {
    std::string folder = files::FolderOf(path);
    if (folder == lastFolder_) {
        return;
    }
    struct stat info {};
    if (::stat(folder.c_str(), &info) == 0) {
        fileSystems_.try_emplace(info.st_dev, folder);
    }
    lastFolder_ = std::move(folder);
}

}  // namespace varnholt::cli
