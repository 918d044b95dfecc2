#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "model/Swar.h"

// How Modulo10 and EAN read a number in place, without a copy: blanks and hyphens are
// skipped wherever they stand. Checks run on every key press, so the common case, a short
// text of plain digits, is read eight characters at a time.
namespace varnholt {

constexpr bool IsSeparator(char c) noexcept {
    return c == ' ' || c == '-';
}

// How many characters are left once every blank and hyphen is dropped.
constexpr std::size_t KeptLength(std::string_view text) noexcept {
    return text.size() - static_cast<std::size_t>(std::ranges::count_if(text, IsSeparator));
}

// The last character that is no blank or hyphen; '\0' when there is none.
constexpr char LastKept(std::string_view text) noexcept {
    const auto last = std::find_if_not(text.rbegin(), text.rend(), IsSeparator);
    return last == text.rend() ? '\0' : *last;
}

// Copies the characters that are no blank or hyphen to `out`, which has room for them all.
constexpr void CopyKept(std::string_view text, char* out) noexcept {
    std::copy_if(text.begin(), text.end(), out, [](char c) { return !IsSeparator(c); });
}

// Up to this many digits, no weighted sum comes near the 16-bit limit of 32,767: each digit
// adds at most 27, and a weight-1 step's intermediate value at most 57 more.
inline constexpr std::size_t kMaxUnlimitedDigits = 1000;

namespace swar {

// Whether every byte is '0' to '9': the high nibble is 3, and stays 3 when 6 is added.
template <class Word>
constexpr bool AllDigits(Word word) noexcept {
    constexpr Word high = Repeat<Word>(0xF0);
    constexpr Word three = Repeat<Word>(0x30);
    return ((word & high) == three) && (((word + Repeat<Word>(0x06)) & high) == three);
}

// The sums of the even and the odd bytes, each byte 0 to 9: the multiplication gathers the
// bytes a mask keeps in the top half-word.
template <class Word>
constexpr void AddDigits(Word digits, std::uint32_t& even, std::uint32_t& odd) noexcept {
    constexpr Word mask = static_cast<Word>(~Word{0} / 0xFFFF * 0x00FF);
    constexpr Word ones = static_cast<Word>(~Word{0} / 0xFFFF);
    constexpr int top = static_cast<int>(sizeof(Word) * 8 - 16);
    even += static_cast<std::uint32_t>(((digits & mask) * ones) >> top);
    odd += static_cast<std::uint32_t>((((digits >> 8) & mask) * ones) >> top);
}

}  // namespace swar

// Whether the text holds a blank or a hyphen.
inline bool HasSeparator(std::string_view text) noexcept {
    const auto marks = [](std::uint64_t word) {
        return swar::Equal(word, ' ') | swar::Equal(word, '-');
    };
    return swar::FindFirst(text, 0, marks, IsSeparator) != text.size();
}

namespace swar {

// WeightedDigitSum of 8 to 16 characters, the usual body, in two words and no loop: the
// last eight characters, and the first eight with those counted already turned into '0',
// which adds nothing.
inline std::int32_t WeightedDigitSum16(std::string_view digits) noexcept {
    const std::size_t head = digits.size() - 8;
    const auto right = Load<std::uint64_t>(digits.data() + head);
    const std::uint64_t keep = head == 8 ? ~std::uint64_t{0} : (std::uint64_t{1} << (8 * head)) - 1;
    const auto left =
        (Load<std::uint64_t>(digits.data()) & keep) | (Repeat<std::uint64_t>('0') & ~keep);
    if (!(AllDigits(right) && AllDigits(left))) {
        return -1;
    }
    // In the right word the odd bytes weigh 3; in the left one, those of the parity of
    // head - 1.
    std::uint32_t one = 0;
    std::uint32_t three = 0;
    AddDigits(right - Repeat<std::uint64_t>('0'), one, three);
    std::uint32_t even = 0;
    std::uint32_t odd = 0;
    AddDigits(left - Repeat<std::uint64_t>('0'), even, odd);
    const bool evenWeighsThree = head % 2 == 1;
    three += evenWeighsThree ? even : odd;
    one += evenWeighsThree ? odd : even;
    return static_cast<std::int32_t>(three * 3 + one);
}

}  // namespace swar

// The weighted sum of `digits`, the rightmost weighing 3, for at most kMaxUnlimitedDigits
// characters; -1 when one of them is no digit.
inline std::int32_t WeightedDigitSum(std::string_view digits) noexcept {
    if (swar::kLittleEndian && digits.size() >= 8 && digits.size() <= 16) {
        return swar::WeightedDigitSum16(digits);
    }
    std::uint32_t three = 0;
    std::uint32_t one = 0;
    bool digitsOnly = true;
    std::size_t i = digits.size();
    // From the right, an even number of characters at a time, so that in every word the
    // odd bytes, counted from the first, weigh 3.
    if constexpr (swar::kLittleEndian) {
        for (; i >= 8; i -= 8) {
            const auto word = swar::Load<std::uint64_t>(digits.data() + i - 8);
            digitsOnly &= swar::AllDigits(word);
            swar::AddDigits(word - swar::Repeat<std::uint64_t>('0'), one, three);
        }
        if (i >= 4) {
            const auto word = swar::Load<std::uint32_t>(digits.data() + i - 4);
            digitsOnly &= swar::AllDigits(word);
            swar::AddDigits(static_cast<std::uint32_t>(word - swar::Repeat<std::uint32_t>('0')),
                            one, three);
            i -= 4;
        }
    }
    for (; i >= 2; i -= 2) {
        const std::uint32_t right = static_cast<unsigned char>(digits[i - 1]) - 48u;
        const std::uint32_t left = static_cast<unsigned char>(digits[i - 2]) - 48u;
        digitsOnly &= (right <= 9) & (left <= 9);
        three += right;
        one += left;
    }
    if (i == 1) {
        const std::uint32_t first = static_cast<unsigned char>(digits[0]) - 48u;
        digitsOnly &= first <= 9;
        three += first;
    }
    return digitsOnly ? static_cast<std::int32_t>(three * 3 + one) : -1;
}

}  // namespace varnholt
