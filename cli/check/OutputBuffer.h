#pragma once

#include <array>
#include <cstddef>
#include <cstring>
#include <memory>
#include <string_view>

#include "cli/Streams.h"

namespace varnholt::cli {

// Copies `text` to `to` and gives the position after it. Up to 64 bytes, any text of a row
// but a long file name, go in two overlapping moves of a fixed size, which touch nothing
// outside the text and its place; longer ones in one call.
inline char* Put(char* to, std::string_view text) noexcept {
    const char* from = text.data();
    const std::size_t size = text.size();
    const auto move = [&]<std::size_t kSize>() {
        std::array<char, kSize> word;
        std::memcpy(word.data(), from, kSize);
        std::memcpy(to, word.data(), kSize);
        std::memcpy(word.data(), from + size - kSize, kSize);
        std::memcpy(to + size - kSize, word.data(), kSize);
    };
    if (size > 64) {
        std::memcpy(to, from, size);
    } else if (size >= 32) {
        move.operator()<32>();
    } else if (size >= 16) {
        move.operator()<16>();
    } else if (size >= 8) {
        move.operator()<8>();
    } else if (size >= 4) {
        move.operator()<4>();
    } else if (size != 0) {
        to[0] = from[0];
        to[size / 2] = from[size / 2];
        to[size - 1] = from[size - 1];
    }
    return to + size;
}

// Collects output and hands it to a sink in large blocks: a row costs a few copies, not a
// system call. Whatever is still held is written by Flush, never by the destructor, so that
// a failed write is always reported. After a failed write nothing more is written: the
// writer asks Failed where stopping early saves work, and Status at the end.
class OutputBuffer {
  public:
    static constexpr std::size_t kCapacity = 64 * 1024;

    static constexpr std::size_t kShort = 64;
    explicit OutputBuffer(ByteSink& sink)
        : sink_(sink), buffer_(new char[kCapacity]), end_(buffer_.get()) {}

    void Append(std::string_view text) {
        // Most texts of a row are short: copied in a few moves, without a call.
        if (text.size() <= kShort && Room() >= kShort) {
            end_ = Put(end_, text);
            return;
        }
        if (text.size() > Room()) {
            Flush();
            if (text.size() > kCapacity) {
                Hand(text);
                return;
            }
        }
        std::memcpy(end_, text.data(), text.size());
        end_ += text.size();
    }

    void Append(char c) {
        if (Room() == 0) {
            Flush();
        }
        *end_++ = c;
    }

    // Room for up to `size` bytes, at most kCapacity, to be written through the returned
    // position with Put and handed back with Commit: a row's texts then cost no checks.
    char* Reserve(std::size_t size) {
        if (size > Room()) {
            Flush();
        }
        return end_;
    }

    void Commit(char* end) noexcept { end_ = end; }

    // Writes what is held.
    void Flush() {
        const std::string_view held(buffer_.get(), static_cast<std::size_t>(end_ - buffer_.get()));
        end_ = buffer_.get();
        if (!held.empty()) {
            Hand(held);
        }
    }

    bool Failed() const noexcept { return !status_; }
    // Done, or why a write failed.
    const Result<Done>& Status() const noexcept { return status_; }

  private:
    void Hand(std::string_view bytes) {
        if (status_) {
            status_ = sink_.Write(bytes);
        }
    }

    std::size_t Room() const noexcept {
        return kCapacity - static_cast<std::size_t>(end_ - buffer_.get());
    }

    ByteSink& sink_;
    std::unique_ptr<char[]> buffer_;
    char* end_;
    Result<Done> status_ = Done{};
};

}  // namespace varnholt::cli
