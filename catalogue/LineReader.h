#pragma once

#include <array>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>
#include <string_view>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "catalogue/ByteSource.h"

namespace varnholt::catalogue {

// No number is longer than this, however many blanks and hyphens it holds; a longer line is
// not kept whole, only its first kShownOfLongLine bytes and its length.
inline constexpr std::size_t kLongestLine = 1024;
inline constexpr std::size_t kShownOfLongLine = 32;

// One line of input, without its line end (LF or CR LF).
struct Line {
    // The line's bytes, or the first kShownOfLongLine of a line longer than kLongestLine.
    std::string_view text;
    // The whole line's length in bytes, however long.
    std::uint64_t length = 0;
    // 1 for the first line.
    std::uint64_t number = 0;

    bool TooLong() const noexcept { return length > kLongestLine; }
};

// Whether a line of at most LineReader::kReadable bytes is ASCII digits alone, looked at in
// one piece; false for a longer one.
inline bool IsDigitsAlone(const Line& line) noexcept {
    const std::size_t size = line.text.size();
    if (size > 16) {
        return false;
    }
#if defined(__SSE2__)
    const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(line.text.data()));
    // Digits become -128 to -119, the lowest signed bytes; anything else lies above.
    const __m128i shifted = _mm_sub_epi8(bytes, _mm_set1_epi8(static_cast<char>('0' + 128)));
    const __m128i notDigit = _mm_cmpgt_epi8(shifted, _mm_set1_epi8(static_cast<char>(-128 + 9)));
    const auto mask = static_cast<unsigned>(_mm_movemask_epi8(notDigit));
    return (mask & ((1u << size) - 1)) == 0;
#else
    for (const char c : line.text) {
        if (c < '0' || c > '9') {
            return false;
        }
    }
    return true;
#endif
}

// Reads lines in large blocks and hands each out in place, without a copy, so that memory
// stays the same whatever the input's size. A UTF-8 byte-order mark at the very start is
// dropped; a last line without a line end still counts.
class LineReader {
  public:
    static constexpr std::size_t kBlockSize = 64 * 1024;
    // Bytes that may be read from the start of any line handed out, whatever its length.
    static constexpr std::size_t kReadable = 16;

    // Reads `blockSize` bytes at a time, which must leave room for the longest line and its
    // line end; tests pass small blocks to cross them often.
    explicit LineReader(ByteSource& source, std::size_t blockSize = kBlockSize);

    // The next line, valid until the next call; false at the end of the input, or when
    // reading failed (see Status).
    bool Next(Line& line) {
        // Most lines end within the bytes read already. Before the first read there are
        // none, so the first line always goes the long way, past the byte-order mark.
        if (const char* newline = FindNewline(next_, end_); newline != nullptr) {
            HandOut(next_, newline, line);
            next_ = newline + 1;
            return true;
        }
        return NextAfterReading(line);
    }

    // Done, or why reading stopped early: a line cut short by a failed read is not handed
    // out.
    const Result<Done>& Status() const noexcept { return status_; }

    // Bytes read from the source so far, and lines handed out.
    std::uint64_t BytesRead() const noexcept { return bytesRead_; }
    std::uint64_t LinesRead() const noexcept { return lineNumber_; }

  private:
    // Past the block, so that a look at the 16 bytes from any position stays in the buffer.
    static constexpr std::size_t kSlack = kReadable;

    // The first LF in [begin, end), where 16 bytes from `begin` are in the buffer.
    static const char* FindNewline(const char* begin, const char* end) noexcept {
        const auto available = static_cast<std::size_t>(end - begin);
#if defined(__SSE2__)
        // A short line is found in one comparison of 16 bytes, without a call.
        const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(begin));
        auto found =
            static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(bytes, _mm_set1_epi8('\n'))));
        if (available < 16) {
            found &= (1u << available) - 1;
        }
        if (found != 0) {
            return begin + std::countr_zero(found);
        }
        if (available <= 16) {
            return nullptr;
        }
#endif
        return static_cast<const char*>(std::memchr(begin, '\n', available));
    }

    // Hands out a line, ended by a line end or by the end of the input.
    void HandOut(const char* begin, const char* end, Line& line) noexcept {
        if (end != begin && end[-1] == '\r') {
            --end;
        }
        line.length = static_cast<std::uint64_t>(end - begin);
        line.number = ++lineNumber_;
        line.text = std::string_view(begin, line.TooLong() ? kShownOfLongLine : line.length);
    }

    bool NextAfterReading(Line& line);
    // Moves what is left unread to the front of the buffer and reads once more behind it.
    void Refill();
    void SkipByteOrderMark();
    // Reads past the line that starts at next_ and is too long to keep, counting its length.
    void SkipLongLine(Line& line);

    ByteSource& source_;
    std::size_t blockSize_;
    std::unique_ptr<char[]> buffer_;
    // The bytes read but not yet handed out.
    const char* next_;
    const char* end_;
    bool atEnd_ = false;
    bool started_ = false;
    std::uint64_t lineNumber_ = 0;
    std::uint64_t bytesRead_ = 0;
    std::array<char, kShownOfLongLine> longLineHead_{};
    Result<Done> status_ = Done{};
};

}  // namespace varnholt::catalogue
