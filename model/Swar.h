#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>

// Looking at the bytes of a word at once. Lines, fields and an AI's data are mostly 8 to 100
// bytes: too short for a vector loop, whose tail goes a byte at a time, and long enough that
// a byte at a time costs more than anything else done with them.
namespace varnholt::swar {

// Words of characters, the first character in the lowest byte.
inline constexpr bool kLittleEndian = std::endian::native == std::endian::little;

template <class Word>
constexpr Word Repeat(std::uint8_t byte) noexcept {
    return static_cast<Word>(~Word{0} / 0xFF * byte);
}

template <class Word>
Word Load(const char* p) noexcept {
    Word word;
    std::memcpy(&word, p, sizeof word);
    return word;
}

// The masks below set the high bit of exactly the bytes they name, no borrow or carry
// crossing from one byte to the next, so that the lowest bit set is the first such byte.
using Mask = std::uint64_t;

constexpr Mask kHigh = Repeat<Mask>(0x80);
constexpr Mask kLow7 = Repeat<Mask>(0x7F);

// Bytes equal to c.
constexpr Mask Equal(std::uint64_t word, char c) noexcept {
    const std::uint64_t x = word ^ Repeat<std::uint64_t>(static_cast<std::uint8_t>(c));
    return ~(((x & kLow7) + kLow7) | x) & kHigh;
}

// Bytes of at least `low` (below 0x80); bytes of 0x80 and above are left to the caller.
constexpr Mask AtLeast(std::uint64_t word, std::uint8_t low) noexcept {
    return ((word & kLow7) + Repeat<std::uint64_t>(static_cast<std::uint8_t>(0x80 - low))) & kHigh;
}

// Bytes that are no digit.
constexpr Mask NotDigit(std::uint64_t word) noexcept {
    return (~AtLeast(word, '0') | AtLeast(word, '9' + 1) | word) & kHigh;
}

// The first byte of `text` from `from` on that `mark` names in its word and `stop` holds for
// alone, which must agree; text.size() when there is none. From eight bytes on a word at a
// time, the last word overlapping the one before it.
template <class Mark, class Stop>
std::size_t FindFirst(std::string_view text, std::size_t from, Mark mark, Stop stop) noexcept {
    if (kLittleEndian && text.size() >= 8 && from < text.size()) {
        for (; from + 8 <= text.size(); from += 8) {
            if (const Mask found = mark(Load<std::uint64_t>(text.data() + from)); found != 0) {
                return from + static_cast<std::size_t>(std::countr_zero(found)) / 8;
            }
        }
        if (from == text.size()) {
            return from;
        }
        // The bytes before `from` in the last word were looked at already.
        const std::size_t last = text.size() - 8;
        const Mask found =
            mark(Load<std::uint64_t>(text.data() + last)) & (~Mask{0} << 8 * (from - last));
        return found != 0 ? last + static_cast<std::size_t>(std::countr_zero(found)) / 8
                          : text.size();
    }
    while (from < text.size() && !stop(text[from])) {
        ++from;
    }
    return from;
}

}  // namespace varnholt::swar
