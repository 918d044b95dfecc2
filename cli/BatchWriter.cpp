#include "cli/BatchWriter.h"

#include <sys/stat.h>

#include "cli/DisplayText.h"
#include "render/AtomicFile.h"

namespace varnholt::cli {
namespace {

// Enough to keep the writing thread busy, few enough to hold little memory.
constexpr std::size_t kMostQueued = 32;

}  // namespace

BatchWriter::BatchWriter() : thread_([this] { Run(); }) {}

BatchWriter::~BatchWriter() {
    Finish();
}

bool BatchWriter::Write(std::string path, std::string bytes) {
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [this] { return queue_.size() < kMostQueued || failure_; });
    if (failure_) {
        return false;
    }
    queue_.push_back({std::move(path), std::move(bytes)});
    changed_.notify_all();
    return true;
}

std::optional<std::string> BatchWriter::Finish() {
    if (thread_.joinable()) {
        {
            const std::lock_guard lock(mutex_);
            finishing_ = true;
        }
        changed_.notify_all();
        thread_.join();
        for (const auto& [device, folder] : fileSystems_) {
            const render::Result<render::Done> synced = render::SyncFileSystem(folder);
            if (!synced && !failure_) {
                failure_ = SafeText(synced.Error());
            }
        }
    }
    return failure_;
}

std::uint64_t BatchWriter::Written() {
    const std::lock_guard lock(mutex_);
    return written_;
}

void BatchWriter::Run() {
    std::unique_lock lock(mutex_);
    while (true) {
        changed_.wait(lock, [this] { return !queue_.empty() || finishing_; });
        if (queue_.empty() || failure_) {
            return;
        }
        const File file = std::move(queue_.front());
        queue_.pop_front();
        changed_.notify_all();
        lock.unlock();
        const render::Result<render::Done> done =
            render::WriteFileAtomically(file.path, file.bytes, render::Flush::Deferred);
        if (done) {
            NoteFolderOf(file.path);
        }
        lock.lock();
        if (!done) {
            failure_ = SafeText(done.Error());
            queue_.clear();
            changed_.notify_all();
            return;
        }
        ++written_;
    }
}

// Remembers the file system a file went to, to put it on disk at the end; a pattern usually
// keeps one folder, so the folder is looked at only when it changes.
void BatchWriter::NoteFolderOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    std::string folder = slash == std::string::npos ? "." : path.substr(0, slash + 1);
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
