#include "model/GtinNumber.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>

#include "tests/support/CaseName.h"

namespace varnholt {
namespace {

// Published numbers (ISBN 0-306-40615-2 and 0-8044-2957-X with their 978 GTINs, UPC-A
// 036000291452, GS1's GTIN-14 examples), right and with their check digit spoiled.
struct Row {
    std::string name;
    std::string digits;
    std::string format;
    bool valid;
    char checkDigit;
    std::string gtin;  // empty when not valid
    std::string ean;
};

std::ostream& operator<<(std::ostream& os, const Row& row) {
    return os << row.name;
}

class GtinNumberOfDigits : public testing::TestWithParam<Row> {};

TEST_P(GtinNumberOfDigits, TellsFormatCheckDigitAndNumbers) {
    const Row& row = GetParam();
    const std::optional<GtinNumber> number = GtinNumberOf(row.digits);
    ASSERT_TRUE(number.has_value());
    EXPECT_EQ(NameOf(number->format), row.format);
    EXPECT_EQ(number->valid, row.valid);
    EXPECT_EQ(number->checkDigit, row.checkDigit);
    EXPECT_EQ(number->Gtin(), row.gtin);
    EXPECT_EQ(number->Ean(), row.ean);
}

INSTANTIATE_TEST_SUITE_P(
    Numbers, GtinNumberOfDigits,
    testing::Values(
        Row{"Isbn10", "0306406152", "ISBN-10", true, '2', "09780306406157", "9780306406157"},
        Row{"Isbn10EndingInX", "080442957X", "ISBN-10", true, 'X', "09780804429573",
            "9780804429573"},
        Row{"Isbn10EndingInSmallX", "080442957x", "ISBN-10", true, 'X', "09780804429573",
            "9780804429573"},
        Row{"Isbn10Wrong", "0306406153", "ISBN-10", false, '2', "", "9780306406157"},
        Row{"Isbn10WantsX", "0804429570", "ISBN-10", false, 'X', "", "9780804429573"},
        Row{"Isbn10XWhereADigitBelongs", "030640615X", "ISBN-10", false, '2', "", "9780306406157"},
        Row{"Gtin12", "036000291452", "GTIN-12", true, '2', "00036000291452", "0036000291452"},
        Row{"Gtin12Wrong", "036000291450", "GTIN-12", false, '2', "", "0036000291450"},
        Row{"Gtin13", "5400101109971", "GTIN-13", true, '1', "05400101109971", "5400101109971"},
        Row{"Gtin13Wrong", "5400101109979", "GTIN-13", false, '1', "", "5400101109979"},
        Row{"Gtin8", "96385074", "GTIN-8", true, '4', "00000096385074", "96385074"},
        Row{"Gtin8Wrong", "96385070", "GTIN-8", false, '4', "", "96385070"},
        Row{"Gtin14", "00012345600012", "GTIN-14", true, '2', "00012345600012", "0012345600012"},
        // The GTIN-13 inside has a check digit of its own, unlike the GTIN-14's.
        Row{"Gtin14WithIndicator", "10614141000415", "GTIN-14", true, '5', "10614141000415",
            "0614141000418"},
        Row{"Gtin14Wrong", "10614141000410", "GTIN-14", false, '5', "", "0614141000418"}),
    test::CaseName{});

// The check digit given is the one last character that makes the number valid.
TEST(GtinNumber, OnlyTheGivenCheckDigitIsValid) {
    for (const std::string right : {"0306406152", "080442957X", "036000291452", "5400101109971",
                                    "96385074", "10614141000415"}) {
        for (const char last : std::string("0123456789X")) {
            std::string digits = right;
            digits.back() = last;
            const std::optional<GtinNumber> number = GtinNumberOf(digits);
            if (last == 'X' && digits.size() != 10) {
                EXPECT_FALSE(number.has_value()) << digits;
                continue;
            }
            ASSERT_TRUE(number.has_value()) << digits;
            EXPECT_EQ(number->valid, last == right.back()) << digits;
            EXPECT_EQ(number->checkDigit, right.back()) << digits;
        }
    }
}

TEST(GtinNumber, NoFormatForOtherLengthsOrCharacters) {
    for (const char* digits :
         {"", "9638507", "030640615", "03064061521", "540010110997123", "54001011O9971",
          "540010110997X", "9638507X", "0001234560001X", "03064061X2", "X306406152", "030640615Y",
          "0306-40615", "9638507 "}) {
        EXPECT_FALSE(GtinNumberOf(digits).has_value()) << '"' << digits << '"';
    }
}

}  // namespace
}  // namespace varnholt
