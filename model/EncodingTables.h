#pragma once

#include <algorithm>
#include <array>
#include <cstddef>
#include <string_view>

namespace varnholt {

// Modules of each digit 0-9, "1" dark and "0" light, left to right, in the number sets of
// EAN-13 (ISO/IEC 15420, as GS1 publishes it).
using DigitPatterns = std::array<std::string_view, 10>;

// Number set A: the left half's odd-parity digits.
inline constexpr DigitPatterns PatternsA{"0001101", "0011001", "0010011", "0111101", "0100011",
                                         "0110001", "0101111", "0111011", "0110111", "0001011"};
// Number set B: the left half's even-parity digits.
inline constexpr DigitPatterns PatternsB{"0100111", "0110011", "0011011", "0100001", "0011101",
                                         "0111001", "0000101", "0010001", "0001001", "0010111"};
// Number set C: every right-half digit.
inline constexpr DigitPatterns PatternsC{"1110010", "1100110", "1101100", "1000010", "1011100",
                                         "1001110", "1010000", "1000100", "1001000", "1110100"};
// By the number's first digit: the set, A or B, of each of the six left-half digits.
inline constexpr std::array<std::string_view, 10> FirstDigitParity{
    "AAAAAA", "AABABB", "AABBAB", "AABBBA", "ABAABB",
    "ABBAAB", "ABBBAA", "ABABAB", "ABABBA", "ABBABA"};
// By a UPC-E's check digit, for number system 0: the set of each of its six digits. Number
// system 1 takes the same texts with A and B swapped.
inline constexpr std::array<std::string_view, 10> UpcEParity{"BBBAAA", "BBABAA", "BBAABA", "BBAAAB",
                                                             "BABBAA", "BAABBA", "BAAABB", "BABABA",
                                                             "BABAAB", "BAABAB"};
// By the five-digit add-on's checksum: the set of each of its five digits.
inline constexpr std::array<std::string_view, 10> Ean5Parity{
    "BBAAA", "BABAA", "BAABA", "BAAAB", "ABBAA", "AABBA", "AAABB", "ABABA", "ABAAB", "AABAB"};
// By the two-digit add-on's value modulo 4: the set of each of its two digits.
inline constexpr std::array<std::string_view, 4> Ean2Parity{"AA", "AB", "BA", "BB"};

namespace tables {

constexpr std::size_t Count(std::string_view text, char c) {
    return static_cast<std::size_t>(std::ranges::count(text, c));
}

constexpr bool AllModules(const DigitPatterns& set) {
    return std::ranges::all_of(set, [](std::string_view p) {
        return p.size() == 7 && Count(p, '0') + Count(p, '1') == 7;
    });
}

constexpr bool IsInverse(std::string_view a, std::string_view b) {
    return std::ranges::equal(a, b, [](char x, char y) { return x != y; });
}

// A plain loop: clang 14 cannot compile libstdc++ 12's reverse view.
constexpr bool IsReverse(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (a[i] != b[b.size() - 1 - i]) {
            return false;
        }
    }
    return true;
}

constexpr bool ForEveryDigit(auto check) {
    for (std::size_t d = 0; d < 10; ++d) {
        if (!check(d)) {
            return false;
        }
    }
    return true;
}

constexpr bool ParityIsSound() {
    for (std::size_t d = 0; d < 10; ++d) {
        const std::string_view parity = FirstDigitParity[d];
        const std::size_t a = Count(parity, 'A');
        const bool mixed = d == 0 ? a == 6 : a == 3 && Count(parity, 'B') == 3;
        if (parity.size() != 6 || parity.front() != 'A' || !mixed) {
            return false;
        }
        for (std::size_t other = 0; other < d; ++other) {
            if (FirstDigitParity[other] == parity) {
                return false;
            }
        }
    }
    return true;
}

constexpr bool Distinct(const auto& table) {
    for (std::size_t i = 0; i < table.size(); ++i) {
        for (std::size_t other = 0; other < i; ++other) {
            if (table[other] == table[i]) {
                return false;
            }
        }
    }
    return true;
}

// Distinct texts of `length` letters A and B, each passing `check`.
constexpr bool DistinctSets(const auto& table, std::size_t length, auto check) {
    return Distinct(table) && std::ranges::all_of(table, [&](std::string_view parity) {
               return parity.size() == length &&
                      Count(parity, 'A') + Count(parity, 'B') == length && check(parity);
           });
}

}  // namespace tables

static_assert(tables::AllModules(PatternsA) && tables::AllModules(PatternsB) &&
              tables::AllModules(PatternsC));
static_assert(tables::ForEveryDigit([](std::size_t d) {
                  return tables::IsInverse(PatternsA[d], PatternsC[d]);
              }),
              "set C is set A inverted");
static_assert(tables::ForEveryDigit([](std::size_t d) {
                  return tables::IsReverse(PatternsB[d], PatternsC[d]);
              }),
              "set B is set C reversed");
static_assert(tables::ForEveryDigit([](std::size_t d) {
                  return tables::Count(PatternsA[d], '1') % 2 == 1 &&
                         tables::Count(PatternsB[d], '1') % 2 == 0 &&
                         tables::Count(PatternsC[d], '1') % 2 == 0;
              }),
              "set A has odd, sets B and C even dark modules");
static_assert(tables::ForEveryDigit([](std::size_t d) {
                  return PatternsA[d].front() == '0' && PatternsB[d].front() == '0' &&
                         PatternsC[d].front() == '1';
              }),
              "sets A and B start light, set C dark");
static_assert(tables::ParityIsSound(),
              "parity texts are distinct, start with A, and mix three A with three B");
static_assert(tables::DistinctSets(UpcEParity, 6,
                                   [](std::string_view p) {
                                       return tables::Count(p, 'B') == 3 && p.front() == 'B';
                                   }),
              "UPC-E parity texts are distinct, start with B, and mix three A with three B; "
              "swapped, for number system 1, they start with A and differ from these");
static_assert(tables::DistinctSets(Ean5Parity, 5,
                                   [](std::string_view p) { return tables::Count(p, 'B') == 2; }),
              "the ten ways to put two of five digits in set B, one for each checksum");
static_assert(tables::DistinctSets(Ean2Parity, 2, [](std::string_view) { return true; }),
              "the four ways to put two digits in sets A and B");

}  // namespace varnholt
