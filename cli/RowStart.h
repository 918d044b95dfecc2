#pragma once

#include <bit>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

#include "cli/OutputBuffer.h"

namespace varnholt::cli {

// The start that the rows of one file share but for the line number: a text before the
// number (the file's field and a delimiter, say), the number, and a text after it.
// Consecutive lines, the usual case, count the number up in a word of its digits instead of
// writing it anew; the word is stored whole, so no row reads back what the last one wrote.
class RowStart {
  public:
    // Bytes the start of a row can take, the line number at its longest.
    std::size_t LongestSize() const noexcept { return before_.size() + 20 + after_.size(); }

    void Reset(std::string_view before, std::string_view after);

    // Writes the start of the row of `line` to `to`, which has room for LongestSize bytes;
    // gives the position after it.
    char* Write(char* to, std::uint64_t line) {
        to = Put(to, before_);
        if (line == line_ + 1 && line_ != 0 && count_ <= sizeof digits_ && CountUp()) {
            line_ = line;
            std::memcpy(to, &digits_, sizeof digits_);
            to += count_;
        } else {
            to = WriteLongWay(to, line);
        }
        return Put(to, after_);
    }

  private:
    // Where digit `index` stands in the word: the first digit is its first byte in memory.
    static constexpr std::size_t Shift(std::size_t index) noexcept {
        const std::size_t byte =
            std::endian::native == std::endian::little ? index : sizeof(std::uint64_t) - 1 - index;
        return 8 * byte;
    }

    // Adds one to the digits in the word, the nines at its end turning into zeros; false,
    // with nothing changed, when all are nines and the number needs a digit more.
    bool CountUp() noexcept {
        std::uint64_t digits = digits_;
        for (std::size_t index = count_; index-- != 0;) {
            const std::uint64_t one = std::uint64_t{1} << Shift(index);
            if (((digits >> Shift(index)) & 0xFF) != '9') {
                digits_ = digits + one;
                return true;
            }
            digits -= 9 * one;
        }
        return false;
    }

    char* WriteLongWay(char* to, std::uint64_t line);

    std::string before_;
    std::string after_;
    // The digits of line_ as they lie in memory, when there are at most eight of them.
    std::uint64_t digits_ = 0;
    std::size_t count_ = 0;
    // 0 before the first row.
    std::uint64_t line_ = 0;
};

}  // namespace varnholt::cli
