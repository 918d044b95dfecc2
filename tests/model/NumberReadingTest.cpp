#include "model/NumberReading.h"

#include <gtest/gtest.h>

#include <array>
#include <ostream>
#include <string>

#include "tests/support/CaseName.h"

namespace varnholt {
namespace {

struct ReadingCase {
    const char* name;
    std::string text;
    std::string digits;  // the digits read; empty when there is a fault
    std::string fault;   // the fault in words; empty when there is none
};

std::ostream& operator<<(std::ostream& os, const ReadingCase& row) {
    return os << row.name;
}

const ReadingCase kCases[] = {
    {"PlainDigits", "5400101109971", "5400101109971", ""},
    {"BlanksAndHyphensDropped", "540-0101 10997 1", "5400101109971", ""},
    {"BlanksAroundAreNoPart", " \t5400101109971\r\f\v ", "5400101109971", ""},
    {"Blank", " \t ", "", ""},
    {"OnlySeparators", "- -", "", ""},
    {"LetterNamed", "54001O1109971", "", "\"O\" at column 6 is not a digit"},
    {"ColumnCountsTheBlanksAround", "  5400101.109971", "", "\".\" at column 10 is not a digit"},
    {"TabInsideIsABlankNoMore", "5400101\t109971", "", "byte 0x09 at column 8 is not a digit"},
    {"Nul",
     std::string("5400\0"
                 "101109971",
                 13),
     "", "byte 0x00 at column 5 is not a digit"},
    {"InvalidUtf8", "540010110997\xFF", "", "byte 0xFF at column 13 is not a digit"},
    {"C1Control",
     "\xC2\x85"
     "5",
     "", "byte 0xC2 at column 1 is not a digit"},
    {"WideDigitShownWhole",
     "\xEF\xBC\x95"
     "400101109971",
     "", "\"\xEF\xBC\x95\" at column 1 is not a digit"},
    {"Quote", "\"5\"", "", "\"\"\" at column 1 is not a digit"},
    {"IsbnCheckDigitX", "0-8044-2957-X", "080442957X", ""},
    {"IsbnCheckDigitSmallX", "080442957x ", "080442957x", ""},
    {"XAfterOtherThanNineDigits", "54001011099X", "", "\"X\" at column 12 is not a digit"},
    {"XBeforeTheEnd", "080442957X1", "", "\"X\" at column 10 is not a digit"},
    {"AddOnAfterThePlus", "9780306406157 + 512-34", "9780306406157", ""},
    {"XInTheAddOn", "9780306406157+5X", "", "\"X\" at column 16 is not a digit"},
    {"SecondPlus", "9780306406157+51+2", "", "\"+\" at column 17 is not a digit"},
};

class NumberReaderReads : public testing::TestWithParam<ReadingCase> {};

TEST_P(NumberReaderReads, DigitsOrWhatIsWrong) {
    const ReadingCase& c = GetParam();
    NumberReader reader;
    reader.Read("1-2-3");  // a used reader: digits left over would show
    const NumberReading& reading = reader.Read(c.text);
    EXPECT_EQ(reading.digits, c.digits);
    EXPECT_EQ(Describe(reading.fault), c.fault);
    if (c.fault.empty()) {
        EXPECT_EQ(reading.count, c.digits.size());
    }
}

INSTANTIATE_TEST_SUITE_P(Texts, NumberReaderReads, testing::ValuesIn(kCases), test::CaseName{});

TEST(NumberReader, AnAddOnIsReadApart) {
    NumberReader reader;
    const NumberReading& book = reader.Read("9780306406157 + 512-34");
    EXPECT_TRUE(book.hasAddOn);
    EXPECT_EQ(book.addOn, "51234");
    EXPECT_EQ(book.addOnCount, 5u);
    const NumberReading& empty = reader.Read("9780306406157+");
    EXPECT_TRUE(empty.hasAddOn && empty.addOn.empty() && !empty.fault);
    EXPECT_FALSE(reader.Read("9780306406157").hasAddOn);
}

TEST(NumberReader, CountsDigitsPastThoseItKeeps) {
    NumberReader reader;
    const std::string many(1000, '7');
    const NumberReading& plain = reader.Read(many);
    EXPECT_EQ(plain.count, 1000u);
    EXPECT_EQ(plain.digits, many.substr(0, NumberReader::kMostDigits));
    const NumberReading& separated = reader.Read("1 " + many);
    EXPECT_EQ(separated.count, 1001u);
    EXPECT_EQ(separated.digits.size(), NumberReader::kMostDigits);
}

TEST(NumberFault, LengthsAndLongLinesInWords) {
    constexpr std::array<std::size_t, 2> kTwo{13, 8};
    constexpr std::array<std::size_t, 3> kThree{13, 12, 10};
    EXPECT_EQ(Describe(NumberFault::WrongLength(12, kTwo)), "12 digits, not 13 or 8");
    EXPECT_EQ(Describe(NumberFault::WrongLength(1, kTwo)), "1 digit, not 13 or 8");
    EXPECT_EQ(Describe(NumberFault::WrongLength(9, kThree)), "9 digits, not 13, 12 or 10");
    EXPECT_EQ(Describe(NumberFault::TooLong(5000)), "line too long to be a number (5000 bytes)");
    EXPECT_EQ(Describe(NumberFault::WrongAddOn(3)), "an add-on has 2 or 5 digits, not 3");
    EXPECT_EQ(Describe(NumberFault{}), "");
}

}  // namespace
}  // namespace varnholt
