#include "model/Swar.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <random>
#include <string>
#include <string_view>

namespace varnholt::swar {
namespace {

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

struct MarkCase {
    const char* name;
    Mask (*mark)(std::uint64_t);
    bool (*marks)(char);  // the same rule a byte at a time
};

const MarkCase kMarks[] = {
    {"EqualComma", [](std::uint64_t w) { return Equal(w, ','); }, [](char c) { return c == ','; }},
    {"EqualDel", [](std::uint64_t w) { return Equal(w, '\x7F'); },
     [](char c) { return c == '\x7F'; }},
    {"NotDigit", NotDigit, [](char c) { return !IsDigit(c); }},
};

// Every byte value in every place, among neighbours that are marked and that are not: the mask
// names that byte exactly, whatever stands beside it.
TEST(Swar, MasksNameExactlyTheBytesTheRuleNames) {
    for (const MarkCase& row : kMarks) {
        for (const char neighbour : {'\0', '0', ',', '\x7F', '\xFF', 'A'}) {
            for (int value = 0; value < 256; ++value) {
                for (std::size_t place = 0; place < 8; ++place) {
                    std::string bytes(8, neighbour);
                    bytes[place] = static_cast<char>(value);
                    const Mask mask = row.mark(Load<std::uint64_t>(bytes.data()));
                    for (std::size_t k = 0; k < 8; ++k) {
                        const bool set = (mask >> (8 * k + 7) & 1U) != 0;
                        ASSERT_EQ(set, row.marks(bytes[k]))
                            << row.name << ": byte " << value << " at " << place << ", looking at "
                            << k << " beside " << int(static_cast<unsigned char>(neighbour));
                    }
                    ASSERT_EQ(mask & ~kHigh, 0U) << row.name;
                }
            }
        }
    }
}

// FindFirst against a search a byte at a time, on texts of every length up to three words
// and every start.
TEST(Swar, FindFirstFindsWhatAByteAtATimeFinds) {
    std::mt19937 random(7);
    const std::string_view alphabet = "0123456789,x\x1F\x80";
    for (std::size_t length = 0; length <= 24; ++length) {
        for (int round = 0; round < 50; ++round) {
            std::string text(length, '0');
            for (char& c : text) {
                c = random() % 3 == 0 ? alphabet[random() % alphabet.size()] : '5';
            }
            for (std::size_t from = 0; from <= length; ++from) {
                const auto expected = static_cast<std::size_t>(
                    std::find_if(text.begin() + static_cast<std::ptrdiff_t>(from), text.end(),
                                 [](char c) { return !IsDigit(c); }) -
                    text.begin());
                ASSERT_EQ(FindFirst(text, from, NotDigit, [](char c) { return !IsDigit(c); }),
                          expected)
                    << '"' << text << "\" from " << from;
            }
        }
    }
}

}  // namespace
}  // namespace varnholt::swar
