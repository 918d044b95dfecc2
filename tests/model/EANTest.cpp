#include "model/EAN.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <ostream>
#include <string>
#include <variant>

#include "tests/support/CaseName.h"

namespace varnholt {
namespace {

const CodePart kNotSet{std::int16_t{0}};
const CodePart kEan8Manufacturer{std::int16_t{-1}};

CodePart Text(const char* text) {
    return CodePart{std::string(text)};
}

struct Outcome {
    std::int16_t checkDigit;
    CodePart numberSystem;
    CodePart manufacturerCode;
    CodePart productCode;
};

const Outcome kReset{-1, kNotSet, kNotSet, kNotSet};

// The text a field's view shows: the characters cut, or nothing for the integers 0 and -1.
std::string ViewText(const CodePart& part) {
    const auto* text = std::get_if<std::string>(&part);
    return text != nullptr ? *text : std::string();
}

void ExpectFields(const EAN& ean, const Outcome& expected) {
    EXPECT_EQ(ean.CheckDigit(), expected.checkDigit);
    EXPECT_EQ(ean.NumberSystem(), expected.numberSystem);
    EXPECT_EQ(ean.ManufacturerCode(), expected.manufacturerCode);
    EXPECT_EQ(ean.ProductCode(), expected.productCode);
    const EAN::FieldTexts views = ean.Fields();
    EXPECT_EQ(views.numberSystem, ViewText(expected.numberSystem));
    EXPECT_EQ(views.manufacturerCode, ViewText(expected.manufacturerCode));
    EXPECT_EQ(views.productCode, ViewText(expected.productCode));
}

// Each case runs on an object whose fields an earlier call filled, so a missing reset shows.
EAN UsedEan() {
    EAN ean;
    EXPECT_TRUE(ean.Check("96385074"));
    return ean;
}

struct CheckCase {
    const char* name;
    std::string number;
    bool expected;
    Outcome outcome;
};

std::ostream& operator<<(std::ostream& os, const CheckCase& row) {
    return os << row.name;
}

class EanCheck : public testing::TestWithParam<CheckCase> {};

TEST_P(EanCheck, VerifiesAndSplits) {
    const CheckCase& c = GetParam();
    EAN ean = UsedEan();
    EXPECT_EQ(ean.Check(c.number), c.expected);
    ExpectFields(ean, c.outcome);
}

INSTANTIATE_TEST_SUITE_P(
    Outcomes, EanCheck,
    testing::Values(
        CheckCase{
            "WorkedExample", "5400101109971", true, {1, Text("54"), Text("00101"), Text("10997")}},
        CheckCase{"WrongCheckDigit",
                  "5400101109972",
                  false,
                  {1, Text("54"), Text("00101"), Text("10997")}},
        CheckCase{"ThreeDigitNumberSystem",
                  "4006381333931",
                  true,
                  {1, Text("400"), Text("6381"), Text("33393")}},
        CheckCase{
            "LeadingZeros", "0012345678905", true, {5, Text("00"), Text("12345"), Text("67890")}},
        CheckCase{"Ean8ThreeDigitSystem",
                  "96385074",
                  true,
                  {4, Text("963"), kEan8Manufacturer, Text("8507")}},
        CheckCase{"Ean8TwoDigitSystem",
                  "50123452",
                  true,
                  {2, Text("50"), kEan8Manufacturer, Text("12345")}},
        CheckCase{"Ean8LetterAtTheEnd",
                  "9638507x",
                  false,
                  {4, Text("963"), kEan8Manufacturer, Text("8507")}},
        CheckCase{"SeparatorsRemovedBeforeLengthTest",
                  "540-0101-10997 1",
                  true,
                  {1, Text("54"), Text("00101"), Text("10997")}},
        CheckCase{"LetterInBodyStillSplits",
                  "54001011O9971",
                  false,
                  {-1, Text("54"), Text("00101"), Text("1O997")}},
        CheckCase{"LenientPrefixReadsDigitsBeforeALetter",
                  "5x00101109971",
                  false,
                  {-1, Text("5x"), Text("00101"), Text("10997")}},
        CheckCase{"FractionPrefixMatchesNoEntry",
                  ".512345678901",
                  false,
                  {-1, Text(".51"), Text("2345"), Text("67890")}},
        CheckCase{"PointZeroPrefixReadsAsZero",
                  ".012345678901",
                  false,
                  {-1, Text(".0"), Text("12345"), Text("67890")}},
        CheckCase{"FourteenCharacters", "54001011099710", false, kReset},
        CheckCase{"ThirteenDigitsAndALetter", "5400101109971A", false, kReset},
        CheckCase{"TwelveDigits", "540010110997", false, kReset},
        CheckCase{"NineDigits", "963850745", false, kReset}, CheckCase{"Empty", "", false, kReset}),
    test::CaseName{});

struct CalculateCase {
    const char* name;
    std::string number;
    Outcome outcome;
};

std::ostream& operator<<(std::ostream& os, const CalculateCase& row) {
    return os << row.name;
}

class EanCalculate : public testing::TestWithParam<CalculateCase> {};

TEST_P(EanCalculate, ComputesAndSplitsTheBody) {
    const CalculateCase& c = GetParam();
    EAN ean = UsedEan();
    EXPECT_EQ(ean.Calculate(c.number), c.outcome.checkDigit);
    ExpectFields(ean, c.outcome);
}

INSTANTIATE_TEST_SUITE_P(
    Outcomes, EanCalculate,
    testing::Values(
        CalculateCase{"Ean13Body", "540010110997", {1, Text("54"), Text("00101"), Text("10997")}},
        CalculateCase{"Ean8Body", "9638507", {4, Text("963"), kEan8Manufacturer, Text("8507")}},
        CalculateCase{
            "Separators", "5400-1011 0997", {1, Text("54"), Text("00101"), Text("10997")}},
        CalculateCase{"CompleteNumberIsTooLong", "5400101109971", kReset},
        CalculateCase{
            "LetterInBody", "54001O110997", {-1, Text("54"), Text("001O1"), Text("10997")}},
        CalculateCase{"Empty", "", kReset}),
    test::CaseName{});

// Prefixes in the list give a two-digit number system; their neighbours outside it three.
TEST(EanNumberSystem, FollowsTheTwoDigitPrefixList) {
    struct Row {
        const char* number;
        const char* numberSystem;
    };
    for (const Row row :
         {Row{"3712345678901", "37"}, Row{"3812345678901", "381"}, Row{"4512345678901", "45"},
          Row{"4612345678901", "461"}, Row{"9912345678901", "99"}, Row{"9812345678901", "981"}}) {
        EAN ean;
        ean.Check(row.number);
        EXPECT_EQ(ean.NumberSystem(), Text(row.numberSystem)) << row.number;
    }
}

// A number without blanks or hyphens is read in place, several characters at a time; one
// with them is read without them. A separator at any position must be found and skipped, and
// a second number filled in its place must be dropped.
TEST(EanSeparators, ASeparatorAnywhereIsSkipped) {
    const std::string numbers[] = {"5400101109971", "96385074"};
    for (const std::string& number : numbers) {
        EAN plain;
        ASSERT_TRUE(plain.Check(number));
        for (std::size_t at = 0; at <= number.size(); ++at) {
            for (const char separator : {' ', '-'}) {
                std::string spaced = number;
                spaced.insert(at, 1, separator);
                EAN ean = UsedEan();
                EXPECT_TRUE(ean.Check(spaced)) << spaced;
                ExpectFields(ean, {plain.CheckDigit(), plain.NumberSystem(),
                                   plain.ManufacturerCode(), plain.ProductCode()});
                spaced.insert(at, 1, '5');
                EXPECT_FALSE(ean.Check(spaced)) << spaced;
                ExpectFields(ean, kReset);
            }
        }
    }
}

}  // namespace
}  // namespace varnholt
