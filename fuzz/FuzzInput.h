#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

namespace varnholt::fuzz {

// Reads a fuzz input from the front: fixed-size fields first, the text under test last, so
// that seeds stay readable. Past the end every field reads as zero.
class FuzzInput {
  public:
    FuzzInput(const std::uint8_t* data, std::size_t size) noexcept
        : data_(reinterpret_cast<const char*>(data), size) {}

    bool Empty() const noexcept { return data_.empty(); }

    // A little-endian integer or the bit pattern of a float, zero-padded.
    template <class T>
    T Take() noexcept {
        unsigned char bytes[sizeof(T)] = {};
        const std::size_t n = std::min(sizeof(T), data_.size());
        std::memcpy(bytes, data_.data(), n);
        data_.remove_prefix(n);
        T value{};
        std::memcpy(&value, bytes, sizeof(T));
        return value;
    }

    std::string_view TakeText(std::size_t length) noexcept {
        const std::string_view text = data_.substr(0, length);
        data_.remove_prefix(text.size());
        return text;
    }

    std::string_view Rest() noexcept { return TakeText(data_.size()); }

  private:
    std::string_view data_;
};

// Texts longer than the fuzzer would ever grow an input, from a few bytes of it: `width`
// below 0xEC leaves `text` as it is, 0xEC to 0xFF repeat it 2 to 2^20 times; the result is
// cut at `limit` characters.
constexpr std::uint8_t kFirstWideningByte = 0xEC;

inline std::string Widen(std::string_view text, std::uint8_t width, std::size_t limit) {
    const std::size_t repeats =
        width < kFirstWideningByte ? 1 : std::size_t{1} << (width - kFirstWideningByte + 1);
    std::string wide;
    if (text.empty()) {
        return wide;
    }
    const std::size_t length = std::min(limit, text.size() * repeats);
    wide.reserve(length);
    wide.append(text.substr(0, length));
    // Doubling: a few copies instead of a loop over every repeat.
    while (wide.size() < length) {
        wide.append(wide, 0, length - wide.size());
    }
    return wide;
}

// `text` with only its last line widened: long lines and blocks crossed at the cost of one
// line, where widening the whole would make thousands of short lines to check.
inline std::string WidenLastLine(std::string_view text, std::uint8_t width, std::size_t limit) {
    const std::size_t start = text.rfind('\n') + 1;  // 0 when there is no line end
    std::string wide(text.substr(0, start));
    wide += Widen(text.substr(start), width, limit > start ? limit - start : 0);
    return wide;
}

}  // namespace varnholt::fuzz
