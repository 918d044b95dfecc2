#include "catalogue/LineReader.h"

#include <algorithm>
#include <cassert>
#include <cstring>

namespace varnholt::catalogue {
LineReader::LineReader(ByteSource& source, std::size_t blockSize)
    : source_(source),
      blockSize_(blockSize),
      buffer_(new char[blockSize + kSlack]()),
      next_(buffer_.get()),
      end_(buffer_.get()) {
    assert(blockSize > kLongestLine + 2);
}

void LineReader::Refill() {
    const auto rest = static_cast<std::size_t>(end_ - next_);
    std::memmove(buffer_.get(), next_, rest);
    const Result<std::size_t> read = source_.Read(buffer_.get() + rest, blockSize_ - rest);
    next_ = buffer_.get();
    if (!read) {
        status_ = Result<Done>::FailureOf(read);
        end_ = next_;
        atEnd_ = true;
        return;
    }
    end_ = next_ + rest + *read;
    atEnd_ = *read == 0;
    bytesRead_ += *read;
}

void LineReader::SkipByteOrderMark() {
    started_ = true;
    catalogue::SkipByteOrderMark(
        [this] { return std::string_view(next_, static_cast<std::size_t>(end_ - next_)); },
        [this] {
            if (atEnd_) {
                return false;
            }
            Refill();
            return true;
        },
        [this](std::size_t count) { next_ += count; });
}

void LineReader::SkipLongLine(Line& line) {
    std::copy_n(next_, kShownOfLongLine, longLineHead_.begin());
    std::uint64_t length = static_cast<std::uint64_t>(end_ - next_);
    char last = end_[-1];
    next_ = end_;
    for (;;) {
        Refill();
        if (atEnd_) {
            break;
        }
        if (const char* newline = FindNewline(next_, end_); newline != nullptr) {
            length += static_cast<std::uint64_t>(newline - next_);
            last = newline != next_ ? newline[-1] : last;
            next_ = newline + 1;
            break;
        }
        length += static_cast<std::uint64_t>(end_ - next_);
        last = end_[-1];
        next_ = end_;
    }
    line.length = last == '\r' ? length - 1 : length;
    line.number = ++lineNumber_;
    line.text = std::string_view(longLineHead_.data(), longLineHead_.size());
}

bool LineReader::NextAfterReading(Line& line) {
    if (!started_) {
        SkipByteOrderMark();
    }
    for (;;) {
        if (const char* newline = FindNewline(next_, end_); newline != nullptr) {
            HandOut(next_, newline, line);
            next_ = newline + 1;
            return true;
        }
        if (atEnd_) {
            if (next_ == end_) {
                return false;
            }
            HandOut(next_, end_, line);
            next_ = end_;
            return true;
        }
        // Room for the longest line and a CR before its LF: anything longer is too long.
        if (static_cast<std::size_t>(end_ - next_) > kLongestLine + 1) {
            SkipLongLine(line);
            return static_cast<bool>(status_);
        }
        Refill();
    }
}

}  // namespace varnholt::catalogue
