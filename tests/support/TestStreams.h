#pragma once

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <string>
#include <string_view>
#include <system_error>

#include "catalogue/ByteSource.h"
#include "files/ByteSink.h"

namespace varnholt::test {

// Hands out a text `chunk` bytes at a time, as a pipe may; then, if asked, fails.
class TextSource final : public catalogue::ByteSource {
  public:
    explicit TextSource(std::string text, std::size_t chunk = 1 << 20, bool failAtEnd = false)
        : text_(std::move(text)), chunk_(chunk), failAtEnd_(failAtEnd) {}

    Result<std::size_t> Read(char* into, std::size_t room) override {
        const std::size_t count = std::min({room, chunk_, text_.size() - position_});
        if (count == 0 && failAtEnd_) {
            return Result<std::size_t>::FailureOf(catalogue::SystemFailure(EIO));
        }
        std::memcpy(into, text_.data() + position_, count);
        position_ += count;
        return count;
    }

  private:
    std::string text_;
    std::size_t chunk_;
    bool failAtEnd_;
    std::size_t position_ = 0;
};

// Keeps what is written; fails every write once told to.
class TextSink final : public files::ByteSink {
  public:
    Result<Done> Write(std::string_view bytes) override {
        if (full_) {
            return Result<Done>::Failure(ErrorKind::Output,
                                         std::generic_category().message(ENOSPC));
        }
        text += bytes;
        ++writes;
        return Done{};
    }

    void BeFull() { full_ = true; }

    std::string text;
    int writes = 0;

  private:
    bool full_ = false;
};

}  // namespace varnholt::test
