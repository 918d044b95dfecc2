#include "cli/CheckedLine.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <ostream>
#include <string>

#include "tests/support/CaseName.h"

namespace varnholt::cli {
namespace {

struct Expected {
    Verdict verdict;
    std::string number;
    std::string country;
    std::string numberSystem;
    std::string manufacturerCode;
    std::string productCode;
    int expectedCheckDigit = -1;
    NumberFault::Kind fault = NumberFault::Kind::None;
    std::uint64_t column = 0;
    std::uint64_t count = 0;
};

struct FactsCase {
    const char* name;
    std::string line;
    Expected expected;
};

std::ostream& operator<<(std::ostream& os, const FactsCase& row) {
    return os << row.name;
}

// A line as the reader hands it out: whole, however long it says it is.
Line LineOf(const std::string& text, std::uint64_t length) {
    Line line;
    line.text = text;
    line.length = length;
    line.number = 1;
    return line;
}

// The figures of numbers printed on real products and in the standards' examples: the
// worked example 5400101109971 (Belgium and Luxembourg, two-digit number system 54), a
// German 400 number, an ISBN, and the EAN-8 example 96385074.
const FactsCase kCases[] = {
    {"Valid",
     "5400101109971",
     {Verdict::Valid, "5400101109971", "BE-LU", "54", "00101", "10997", -1, NumberFault::Kind::None, 0, 13}},
    {"ThreeDigitSystem",
     "4006381333931",
     {Verdict::Valid, "4006381333931", "DE", "400", "6381", "33393", -1, NumberFault::Kind::None, 0, 13}},
    {"Isbn",
     "9780306406157",
     {Verdict::Valid, "9780306406157", "ISBN", "978", "0306", "40615", -1, NumberFault::Kind::None, 0, 13}},
    {"WrongCheckDigit",
     "5400101109972",
     {Verdict::Invalid, "5400101109972", "BE-LU", "54", "00101", "10997", 1, NumberFault::Kind::None, 0, 13}},
    {"Ean8",
     "96385074",
     {Verdict::Valid, "96385074", "", "963", "", "8507", -1, NumberFault::Kind::None, 0, 8}},
    {"Ean8WrongCheckDigit",
     "96385075",
     {Verdict::Invalid, "96385075", "", "963", "", "8507", 4, NumberFault::Kind::None, 0, 8}},
    {"BlanksAndHyphensInside",
     "540-0101 10997 1",
     {Verdict::Valid, "540-0101 10997 1", "BE-LU", "54", "00101", "10997", -1, NumberFault::Kind::None, 0, 13}},
    {"HyphenAfterTheLastDigit",
     "4006381333931-",
     {Verdict::Valid, "4006381333931-", "DE", "400", "6381", "33393", -1, NumberFault::Kind::None, 0, 13}},
    {"BlanksAround",
     " \t5400101109971\r\f\v ",
     {Verdict::Valid, "5400101109971", "BE-LU", "54", "00101", "10997", -1, NumberFault::Kind::None, 0, 13}},
    {"OnlyBlanks", " \t \r", {Verdict::Blank, "", "", "", "", ""}},
    {"Empty", "", {Verdict::Blank, "", "", "", "", ""}},
    {"TooFewDigits",
     "12345",
     {Verdict::Error, "12345", "", "", "", "", -1, NumberFault::Kind::WrongLength, 0, 5}},
    {"TooManyDigits",
     "54001011099710",
     {Verdict::Error, "54001011099710", "", "", "", "", -1, NumberFault::Kind::WrongLength, 0, 14}},
    {"TwelveDigitsAndBlanks",
     "  540 0101 10997 ",
     {Verdict::Error, "540 0101 10997", "", "", "", "", -1, NumberFault::Kind::WrongLength, 0, 12}},
    {"OnlyHyphens", "---", {Verdict::Error, "---", "", "", "", "", -1, NumberFault::Kind::WrongLength, 0, 0}},
    {"LetterInside",
     "54001O1109971",
     {Verdict::Error, "54001O1109971", "", "", "", "", -1, NumberFault::Kind::NotADigit, 6, 0}},
    {"LetterAsCheckDigit",
     "540010110997X",
     {Verdict::Error, "540010110997X", "", "", "", "", -1, NumberFault::Kind::NotADigit, 13, 0}},
    {"ColumnCountsLeadingBlanks",
     "  5400101.109971",
     {Verdict::Error, "5400101.109971", "", "", "", "", -1, NumberFault::Kind::NotADigit, 10, 0}},
    {"TabInside",
     "5400101\t109971",
     {Verdict::Error, "5400101\t109971", "", "", "", "", -1, NumberFault::Kind::NotADigit, 8, 0}},
    {"Nul",
     std::string("5400\0"
                 "101109971",
                 13),
     {Verdict::Error,
      std::string("5400\0"
                  "101109971",
                  13),
      "", "", "", "", -1, NumberFault::Kind::NotADigit, 5, 0}},
    {"Utf8Digit",
     "\xEF\xBC\x95"
     "400101109971",
     {Verdict::Error,
      "\xEF\xBC\x95"
      "400101109971",
      "", "", "", "", -1, NumberFault::Kind::NotADigit, 1, 0}},
};

class LineCheckerChecks : public testing::TestWithParam<FactsCase> {};

TEST_P(LineCheckerChecks, EveryFact) {
    const FactsCase& c = GetParam();
    LineChecker checker;
    // A used checker: facts left over from the last line would show.
    checker.Check(LineOf("4006381333931", 13));
    const CheckedLine& facts = checker.Check(LineOf(c.line, c.line.size()));
    const Expected& e = c.expected;
    EXPECT_EQ(facts.verdict, e.verdict);
    EXPECT_EQ(facts.number, e.number);
    EXPECT_EQ(facts.country, e.country);
    EXPECT_EQ(facts.fields.numberSystem, e.numberSystem);
    EXPECT_EQ(facts.fields.manufacturerCode, e.manufacturerCode);
    EXPECT_EQ(facts.fields.productCode, e.productCode);
    EXPECT_EQ(facts.expectedCheckDigit, e.expectedCheckDigit);
    EXPECT_EQ(facts.fault.kind, e.fault);
    if (e.fault == NumberFault::Kind::NotADigit) {
        EXPECT_EQ(facts.fault.column, e.column);
        EXPECT_EQ(facts.fault.rest, std::string_view(c.line).substr(e.column - 1));
    } else if (e.fault == NumberFault::Kind::WrongLength) {
        EXPECT_EQ(facts.fault.count, e.count);
    } else if (e.verdict != Verdict::Blank) {
        EXPECT_EQ(facts.digits, e.count);
    }
}

TEST_P(LineCheckerChecks, JudgesAlike) {
    const FactsCase& c = GetParam();
    LineChecker checker;
    checker.Judge(LineOf("5400101109972", 13));
    EXPECT_EQ(checker.Judge(LineOf(c.line, c.line.size())), c.expected.verdict);
}

INSTANTIATE_TEST_SUITE_P(Lines, LineCheckerChecks, testing::ValuesIn(kCases),
                         test::CaseName{});

TEST(LineChecker, LineTooLongIsAnErrorWhateverItHolds) {
    LineChecker checker;
    for (const std::string head : {"5400101109971", "   ", "54001011099710000000000000000000"}) {
        const Line line = LineOf(head, kLongestLine + 1);
        const CheckedLine& facts = checker.Check(line);
        EXPECT_EQ(facts.verdict, Verdict::Error) << head;
        EXPECT_EQ(facts.fault.kind, NumberFault::Kind::TooLong);
        EXPECT_EQ(facts.fault.count, kLongestLine + 1);
        EXPECT_TRUE(facts.country.empty() && facts.fields.productCode.empty());
        EXPECT_EQ(checker.Judge(line), Verdict::Error);
    }
}

}  // namespace
}  // namespace varnholt::cli
