#include "model/Gs1128.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/support/CaseName.h"

namespace varnholt {
namespace {

// Symbol characters worked out by hand from the standard's code set tables, the check
// character summed by hand too.
struct Row {
    std::string name;
    std::string data;
    std::vector<int> characters;
};

class Gs1128Characters : public testing::TestWithParam<Row> {};

TEST_P(Gs1128Characters, AreTheShortest) {
    const Row& row = GetParam();
    const Result<Gs1128Symbol> symbol = EncodeGs1128(row.data);
    ASSERT_TRUE(symbol) << symbol.Error();
    EXPECT_EQ(std::vector<int>(symbol->characters.begin(), symbol->characters.end()),
              row.characters);
}

INSTANTIATE_TEST_SUITE_P(
    ElementStrings, Gs1128Characters,
    testing::Values(
        // All digits: Start C, FNC1, pairs; 105 + 102 + 2 + 27 + 200 + 55 + 6 + 371 + 27 = 895,
        // 895 mod 103 = 71.
        Row{"GtinInCodeC", "0109501101530003", {105, 102, 1, 9, 50, 11, 1, 53, 0, 3, 71, 106}},
        // An odd digit count at the end: the last digit in B after CODE B. 105 + 102 + 2*10 +
        // 3*12 + 4*100 + 5*19 = 758, mod 103 = 37.
        Row{"OddDigitsEndInB", "10123", {105, 102, 10, 12, 100, 19, 37, 106}},
        // A pair, then letters: Start C and CODE B tie with Start B's four characters, and
        // the denser set is kept. 105 + 102 + 2*10 + 3*100 + 4*33 + 5*34 = 829, mod 103 = 5.
        Row{"PairThenLetters", "10AB", {105, 102, 10, 100, 33, 34, 5, 106}},
        // A separator between fields stays in C: 105 + 102 + 2*10 + 3*12 + 4*102 + 5*21 +
        // 6*34 = 980, mod 103 = 53.
        Row{"SeparatorInC",
            "1012\x1D"
            "2134",
            {105, 102, 10, 12, 102, 21, 34, 53, 106}},
        // A control character among lower case: SHIFT to A for it, then back in B. 104 + 102 +
        // 2*65 + 3*98 + 4*73 + 5*66 = 1252, mod 103 = 16.
        Row{"ShiftForControl", "a\tb", {104, 102, 65, 98, 73, 66, 16, 106}},
        // Four digits after letters: CODE C pays for itself. 104 + 102 + 2*33 + 3*99 + 4*12 +
        // 5*34 = 787, mod 103 = 66.
        Row{"CodeCAfterLetters", "A1234", {104, 102, 33, 99, 12, 34, 66, 106}}),
    test::CaseName{});

TEST(Gs1128Modules, StartFnc1AndStopAsTheStandardDrawsThem) {
    const Result<Gs1128Symbol> symbol = EncodeGs1128("00");
    ASSERT_TRUE(symbol);
    // Start C 211232, FNC1 411131, "00" 212222, check (105 + 102 + 0) mod 103 = 1: 222122,
    // Stop 2331112.
    EXPECT_EQ(symbol->Text(),
              "11010011100"
              "11110101110"
              "11011001100"
              "11001101100"
              "1100011101011");
    EXPECT_EQ(symbol->Modules(), 5 * 11 + 2U);
    EXPECT_EQ(symbol->Modules(), symbol->Text().size());
}

struct Refusal {
    std::string name;
    std::string data;
    std::string message;  // part of the refusal's message
};

class Gs1128Refusal : public testing::TestWithParam<Refusal> {};

TEST_P(Gs1128Refusal, SaysWhy) {
    const Refusal& row = GetParam();
    const Result<Gs1128Symbol> symbol = EncodeGs1128(row.data);
    ASSERT_FALSE(symbol);
    EXPECT_EQ(symbol.Kind(), ErrorKind::Input);
    EXPECT_NE(symbol.Error().find(row.message), std::string::npos) << symbol.Error();
}

INSTANTIATE_TEST_SUITE_P(
    BadData, Gs1128Refusal,
    testing::Values(Refusal{"Empty", "", "no data"},
                    Refusal{"FortyNine", std::string(49, '1'), "49 data characters"},
                    Refusal{"FortyNineWithSeparator",
                            "10" + std::string(22, 'A') +
                                "\x1D"
                                "21" +
                                std::string(22, 'B'),
                            "49 data characters"},
                    Refusal{"Latin1", "10caf\xC3\xA9", "byte 195 at position 6"},
                    Refusal{"LeadingSeparator",
                            "\x1D"
                            "10AB",
                            "position 1"},
                    Refusal{"TrailingSeparator", "10AB\x1D", "position 5"},
                    Refusal{"DoubleSeparator",
                            "10AB\x1D\x1D"
                            "21C",
                            "position 6"}),
    test::CaseName{});

TEST(Gs1128Limit, FortyEightCharactersAreAccepted) {
    const std::string data = "10" + std::string(22, 'A') +
                             "\x1D"
                             "21" +
                             std::string(21, 'B');
    ASSERT_EQ(data.size(), 48U);
    EXPECT_TRUE(EncodeGs1128(data));
}

}  // namespace
}  // namespace varnholt
