#include "model/ModuleSequence.h"

#include <gtest/gtest.h>

#include <string>

#include "tests/support/CaseName.h"

namespace varnholt {
namespace {

// Expected modules, spelled from the standard's number sets and first-digit parity.
struct Row {
    std::string name;
    std::string number;
    std::string modules;  // empty: no symbol
};

class ModuleSequenceOf : public testing::TestWithParam<Row> {};

TEST_P(ModuleSequenceOf, MatchesTheStandard) {
    const Row& row = GetParam();
    const ModuleSequence sequence = ModulesOf(row.number);
    EXPECT_EQ(sequence.Text(), row.modules);
    EXPECT_EQ(sequence.count, row.modules.size());
}

INSTANTIATE_TEST_SUITE_P(Numbers, ModuleSequenceOf,
                         testing::Values(
                             // First digit 5: sets A B B A A B.
                             Row{"Ean13Default", "5400101109971",
                                 "101"
                                 "0100011"
                                 "0100111"
                                 "0100111"
                                 "0011001"
                                 "0001101"
                                 "0110011"
                                 "01010"
                                 "1100110"
                                 "1110010"
                                 "1110100"
                                 "1110100"
                                 "1000100"
                                 "1100110"
                                 "101"},
                             // First digit 0: the whole left half in set A.
                             Row{"Ean13LeadingZero", "0012345678905",
                                 "101"
                                 "0001101"
                                 "0011001"
                                 "0010011"
                                 "0111101"
                                 "0100011"
                                 "0110001"
                                 "01010"
                                 "1010000"
                                 "1000100"
                                 "1001000"
                                 "1110100"
                                 "1110010"
                                 "1001110"
                                 "101"},
                             // EAN-8: four digits in set A, four in set C.
                             Row{"Ean8", "96385074",
                                 "101"
                                 "0001011"
                                 "0101111"
                                 "0111101"
                                 "0110111"
                                 "01010"
                                 "1001110"
                                 "1110010"
                                 "1000100"
                                 "1011100"
                                 "101"},
                             // The check digit is drawn as it stands, right or wrong.
                             Row{"WrongCheckDigitStillEncoded", "96385075",
                                 "101"
                                 "0001011"
                                 "0101111"
                                 "0111101"
                                 "0110111"
                                 "01010"
                                 "1001110"
                                 "1110010"
                                 "1000100"
                                 "1001110"
                                 "101"},
                             Row{"Empty", "", ""}, Row{"TwelveDigits", "540010110997", ""},
                             Row{"FourteenDigits", "54001011099710", ""},
                             Row{"SevenDigits", "9638507", ""}, Row{"Letter", "54001011O9971", ""},
                             Row{"Blank", "9638 5074", ""}, Row{"Hyphen", "540-010110997", ""}),
                         test::CaseName{});

TEST(ModuleSequence, GuardsAreTheStartCentreAndEndPatterns) {
    struct Guards {
        const char* number;
        std::string expected;  // 'g' for a guard module
    };
    for (const Guards& row : {Guards{"5400101109971", "ggg" + std::string(42, '.') + "ggggg" +
                                                          std::string(42, '.') + "ggg"},
                              Guards{"96385074", "ggg" + std::string(28, '.') + "ggggg" +
                                                     std::string(28, '.') + "ggg"}}) {
        const ModuleSequence sequence = ModulesOf(row.number);
        std::string guards;
        for (std::size_t module = 0; module < sequence.count; ++module) {
            guards += sequence.IsGuard(module) ? 'g' : '.';
        }
        EXPECT_EQ(guards, row.expected) << row.number;
    }
}

}  // namespace
}  // namespace varnholt
