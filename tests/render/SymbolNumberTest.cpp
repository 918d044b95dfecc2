#include "render/SymbolNumber.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>

#include "tests/support/CaseName.h"

namespace varnholt::render {
namespace {

struct Row {
    std::string name;
    std::string text;
    std::string digits;  // empty: refused
    std::string error;   // the message, or a part of it

    // The text, rather than the bytes, in test listings.
    friend void PrintTo(const Row& row, std::ostream* out) { *out << row.text; }
};

class SymbolNumberOf : public testing::TestWithParam<Row> {};

TEST_P(SymbolNumberOf, AcceptsCompletesOrRefuses) {
    const Row& row = GetParam();
    const Result<std::string> number = SymbolNumber(row.text);
    if (row.digits.empty()) {
        ASSERT_FALSE(number);
        EXPECT_NE(number.Error().find(row.error), std::string::npos) << number.Error();
        EXPECT_EQ(number.Kind(), ErrorKind::Input);
    } else {
        ASSERT_TRUE(number) << number.Error();
        EXPECT_EQ(*number, row.digits);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Numbers, SymbolNumberOf,
    testing::Values(
        Row{"Ean13", "5400101109971", "5400101109971", ""},
        Row{"Ean13WithoutCheckDigit", "540010110997", "5400101109971", ""},
        Row{"Ean8", "96385074", "96385074", ""},
        Row{"Ean8WithoutCheckDigit", "9638507", "96385074", ""},
        Row{"BlanksAndHyphensIgnored", "540-0101-10997 1", "5400101109971", ""},
        Row{"LeadingZeros", "001234567890", "0012345678905", ""},
        Row{"BlanksAroundAreNoPart", "\t96385074\r", "96385074", ""},
        Row{"WrongCheckDigit", "5400101109972", "", "check digit 2 is wrong, 540010110997 needs 1"},
        Row{"WrongEan8CheckDigit", "96385075", "", "check digit 5 is wrong, 9638507 needs 4"},
        Row{"ElevenDigits", "54001011099", "", "11 digits, not 13, 12, 8 or 7"},
        Row{"FourteenDigits", "54001011099710", "", "14 digits, not"},
        Row{"Empty", "", "", "0 digits, not"},
        Row{"LetterSaysWhere", "54001O1109971", "", "\"O\" at column 6 is not a digit"},
        Row{"TabInsideIsNoSeparator", "5400101\t109971", "", "byte 0x09 at column 8"},
        Row{"ManyDigits", std::string(5000, '7'), "", "5000 digits, not"},
        Row{"AddOnNotDropped", "9780306406157+51234", "", "add-on after \"+\" is not drawn"}),
    test::CaseName{});

}  // namespace
}  // namespace varnholt::render
