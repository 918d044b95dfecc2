#include "model/DataMatrixEncodation.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "model/ReedSolomon256.h"
#include "tests/support/CaseName.h"

namespace varnholt {
namespace {

// The worked encoding example of ISO/IEC 16022: "123456" in a 10 x 10 symbol is
// data codewords 142 164 186 and error correction codewords 114 25 5 88 102.
TEST(DataMatrixCodewords, WorkedExampleOfTheStandard) {
    const std::vector<std::uint8_t> data = AsciiCodewords("123456", false);
    EXPECT_EQ(data, (std::vector<std::uint8_t>{142, 164, 186}));
    std::vector<std::uint8_t> ecc(5);
    ErrorCorrection(data, GeneratorPolynomial(5), ecc);
    EXPECT_EQ(ecc, (std::vector<std::uint8_t>{114, 25, 5, 88, 102}));
}

// The standard's generator for five error correction codewords: x^5 + 62x^4 + 111x^3 + 15x^2
// + 48x + 228.
TEST(DataMatrixCodewords, GeneratorOfFive) {
    EXPECT_EQ(GeneratorPolynomial(5), (std::vector<std::uint8_t>{62, 111, 15, 48, 228}));
}

struct Row {
    std::string name;
    std::string bytes;
    bool gs1 = true;
    std::vector<std::uint8_t> codewords;
};

class AsciiEncodation : public testing::TestWithParam<Row> {};

TEST_P(AsciiEncodation, FollowsTheStandard) {
    const Row& row = GetParam();
    EXPECT_EQ(AsciiCodewords(row.bytes, row.gs1), row.codewords);
}

// A character is its ASCII value + 1, a digit pair 130 + its value, FNC1 232, a byte above 127
// the upper shift 235 and then its value - 127.
INSTANTIATE_TEST_SUITE_P(
    Bytes, AsciiEncodation,
    testing::Values(Row{"Gs1Pairs", "0109", true, {232, 131, 139}},
                    Row{"OddDigitThenLetter", "10A1", true, {232, 140, 66, 50}},
                    Row{"Separator",
                        "10A\x1D"
                        "21",
                        true,
                        {232, 140, 66, 232, 151}},
                    Row{"PlainTextHasNoFnc1", "a/1", false, {98, 48, 50}},
                    Row{"PlainGroupSeparatorIsAByte", "\x1D", false, {30}},
                    Row{"UpperShift", "\xC9", false, {235, 74}}),
    test::CaseName{});

// Three C40 or Text values in two codewords, 1600 v1 + 40 v2 + v3 + 1: "ABC" is 14 15 16, so
// 23017 = 89 * 256 + 233; "DEF" 27940 = 109 * 256 + 36; "GHI" 32863 = 128 * 256 + 95.
struct Mixed {
    std::string name;
    std::string bytes;
    bool gs1 = false;
    std::vector<std::uint8_t> codewords;
    bool endsLatched = false;
};

class ShortestEncodation : public testing::TestWithParam<Mixed> {};

TEST_P(ShortestEncodation, LatchesWhereItPays) {
    const Mixed& row = GetParam();
    const DataMatrixData data = DataCodewords(row.bytes, row.gs1);
    EXPECT_EQ(data.codewords, row.codewords);
    EXPECT_EQ(data.endsLatched, row.endsLatched);
}

INSTANTIATE_TEST_SUITE_P(
    Runs, ShortestEncodation,
    testing::Values(
        // Three letters cost three codewords either way: ASCII is kept.
        Mixed{"TieStaysAscii", "ABC", false, {66, 67, 68}, false},
        Mixed{"UpperInC40", "ABCDEF", false, {230, 89, 233, 109, 36}, true},
        Mixed{"LowerInText", "abcdef", false, {239, 89, 233, 109, 36}, true},
        Mixed{"Gs1PairThenC40", "10ABCDEF", true, {232, 140, 230, 89, 233, 109, 36}, true},
        // Nine letters, the unlatch, a digit pair and a byte above 127 in ASCII: 11 codewords,
        // where ASCII alone or other runs take 12.
        Mixed{"UnlatchBeforeAscii",
              "ABCDEFGHI12\xC9",
              false,
              {230, 89, 233, 109, 36, 128, 95, 254, 142, 235, 74},
              false},
        Mixed{"DigitsStayAscii", "123456", false, {142, 164, 186}, false}),
    test::CaseName{});

}  // namespace
}  // namespace varnholt
