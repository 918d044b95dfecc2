#include "model/ModuleSequence.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <ostream>
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

// The other symbologies, spelled the same way from the standard's examples: UPC-A 036000291452,
// UPC-E 04252614, the add-ons 52495, 12 and 34.
struct SymbolRow {
    std::string name;
    Symbology symbology;
    std::string digits;
    std::string modules;  // blanks between patterns; empty: no symbol
    std::string guards;   // 'g' for a guard module
};

std::ostream& operator<<(std::ostream& os, const SymbolRow& row) {
    return os << row.name;
}

class SymbologyModules : public testing::TestWithParam<SymbolRow> {};

TEST_P(SymbologyModules, MatchTheStandard) {
    const SymbolRow& row = GetParam();
    const ModuleSequence sequence = ModulesOf(row.symbology, row.digits);
    std::string modules = row.modules;
    std::erase(modules, ' ');
    EXPECT_EQ(sequence.Text(), modules);
    std::string guards;
    for (std::size_t module = 0; module < sequence.count; ++module) {
        guards += sequence.IsGuard(module) ? 'g' : '.';
    }
    EXPECT_EQ(guards, row.guards);
}

const std::string kUpcEGuards = "ggg" + std::string(42, '.') + "gggggg";

INSTANTIATE_TEST_SUITE_P(
    Symbols, SymbologyModules,
    testing::Values(
        // An EAN-13 whose first digit is 0: the left half in set A.
        SymbolRow{"UpcA", Symbology::UpcA, "036000291452",
                  "101 0001101 0111101 0101111 0001101 0001101 0001101 01010 "
                  "1101100 1110100 1100110 1011100 1001110 1101100 101",
                  "ggg" + std::string(42, '.') + "ggggg" + std::string(42, '.') + "ggg"},
        // Check digit 4, number system 0: sets B A B B A A.
        SymbolRow{"UpcE", Symbology::UpcE, "04252614",
                  "101 0011101 0010011 0111001 0011011 0101111 0011001 010101", kUpcEGuards},
        // Check digit 3, number system 1: B B A A A B swapped.
        SymbolRow{"UpcENumberSystem1", Symbology::UpcE, "16543223",
                  "101 0101111 0110001 0011101 0100001 0011011 0010011 010101", kUpcEGuards},
        // Checksum 1: sets B A B A A.
        SymbolRow{"Ean5", Symbology::Ean5, "52495",
                  "1011 0111001 01 0010011 01 0011101 01 0001011 01 0110001", std::string(47, '.')},
        // 12 is 0 modulo 4: sets A A; 34 is 2: sets B A.
        SymbolRow{"Ean2Remainder0", Symbology::Ean2, "12", "1011 0011001 01 0010011",
                  std::string(20, '.')},
        SymbolRow{"Ean2Remainder2", Symbology::Ean2, "34", "1011 0100001 01 0100011",
                  std::string(20, '.')},
        SymbolRow{"UpcENumberSystem2", Symbology::UpcE, "24252614", "", ""},
        SymbolRow{"UpcAThirteenDigits", Symbology::UpcA, "0036000291452", "", ""},
        SymbolRow{"UpcELetter", Symbology::UpcE, "0425261X", "", ""},
        SymbolRow{"Ean5FourDigits", Symbology::Ean5, "5249", "", ""},
        SymbolRow{"Ean2ThreeDigits", Symbology::Ean2, "123", "", ""},
        SymbolRow{"Ean2Blank", Symbology::Ean2, "1 ", "", ""},
        SymbolRow{"Ean13TwelveDigits", Symbology::Ean13, "540010110997", "", ""}),
    test::CaseName{});

// What a reader sees of each of `digits` digits of seven modules, `stride` apart: 'O' for an
// odd count of dark modules (set A), 'E' for an even one (set B).
std::string ParityRead(std::string_view modules, std::size_t first, std::size_t stride,
                       std::size_t digits) {
    std::string parity;
    for (std::size_t i = 0; i < digits && first + i * stride + 7 <= modules.size(); ++i) {
        const auto dark = std::ranges::count(modules.substr(first + i * stride, 7), '1');
        parity += dark % 2 == 1 ? 'O' : 'E';
    }
    return parity;
}

// The standard's parity patterns: a UPC-E's by its check digit (number system 1 swaps O and
// E), and the five-digit add-on's by its checksum.
constexpr std::array<const char*, 10> kUpcEParity{"EEEOOO", "EEOEOO", "EEOOEO", "EEOOOE", "EOEEOO",
                                                  "EOOEEO", "EOOOEE", "EOEOEO", "EOEOOE", "EOOEOE"};
constexpr std::array<const char*, 10> kEan5Parity{"EEOOO", "EOEOO", "EOOEO", "EOOOE", "OEEOO",
                                                  "OOEEO", "OOOEE", "OEOEO", "OEOOE", "OOEOE"};

TEST(DigitParity, CarriesTheUpcENumberSystemAndCheckDigit) {
    for (std::size_t check = 0; check < 10; ++check) {
        const std::string digits = "425261" + std::to_string(check);
        std::string swapped = kUpcEParity[check];
        for (char& parity : swapped) {
            parity = parity == 'E' ? 'O' : 'E';
        }
        EXPECT_EQ(ParityRead(ModulesOf(Symbology::UpcE, "0" + digits).Text(), 3, 7, 6),
                  kUpcEParity[check]);
        EXPECT_EQ(ParityRead(ModulesOf(Symbology::UpcE, "1" + digits).Text(), 3, 7, 6), swapped);
    }
}

TEST(DigitParity, CarriesTheAddOnChecksum) {
    for (std::size_t checksum = 0; checksum < 10; ++checksum) {
        // The fifth digit weighs 3, the fourth 9; 7 and 9 undo them modulo 10.
        for (const std::string& digits : {"0000" + std::to_string(checksum * 7 % 10),
                                          "000" + std::to_string(checksum * 9 % 10) + "0"}) {
            EXPECT_EQ(ParityRead(ModulesOf(Symbology::Ean5, digits).Text(), 4, 9, 5),
                      kEan5Parity[checksum])
                << digits;
        }
    }
    // The two-digit add-on's by its value modulo 4.
    constexpr std::array<const char*, 4> ean2Parity{"OO", "OE", "EO", "EE"};
    for (std::size_t value = 0; value < 100; ++value) {
        const std::string digits = std::to_string(value / 10) + std::to_string(value % 10);
        EXPECT_EQ(ParityRead(ModulesOf(Symbology::Ean2, digits).Text(), 4, 9, 2),
                  ean2Parity[value % 4])
            << digits;
    }
}

}  // namespace
}  // namespace varnholt
