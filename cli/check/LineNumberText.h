#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "model/DisplayText.h"

namespace varnholt::cli {

// A line number in decimal digits. The next line's, the usual case, counts the last digits up
// rather than writing the number anew. The digits are followed by room enough that 32 bytes
// from their start can be read, for writers that copy in moves of a fixed size.
class LineNumberText {
  public:
    static constexpr std::size_t kReadable = 32;

    void Set(std::uint64_t line) noexcept {
        const std::size_t first = kEnd - size_;
        if (line == number_ + 1 && number_ != 0 && first > 0) {
            std::size_t at = kEnd;
            while (at > first && digits_[at - 1] == '9') {
                digits_[--at] = '0';
            }
            if (at == first) {
                digits_[first - 1] = '1';  // 999 becomes 1000
                ++size_;
            } else {
                ++digits_[at - 1];
            }
        } else {
            const Decimal decimal(line);
            const std::string_view text = decimal.View();
            size_ = text.size();
            text.copy(digits_.data() + kEnd - size_, size_);
        }
        number_ = line;
    }

    std::string_view View() const noexcept { return {digits_.data() + kEnd - size_, size_}; }

  private:
    // The digits end here, right-aligned; a 64-bit number has at most 20.
    static constexpr std::size_t kEnd = 20;
    std::array<char, kEnd + kReadable> digits_{};
    std::size_t size_ = 0;
    std::uint64_t number_ = 0;
};

}  // namespace varnholt::cli
