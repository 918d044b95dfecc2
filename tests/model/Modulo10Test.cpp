#include "model/Modulo10.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <ostream>
#include <string>

#include "tests/support/CaseName.h"

namespace varnholt {
namespace {

struct CalculateCase {
    const char* name;
    std::string number;
    std::int16_t expected;
};

std::ostream& operator<<(std::ostream& os, const CalculateCase& row) {
    return os << row.name;
}

// Every call must start from a reset result, so each case runs on an object that has
// already computed another digit (5, from "5").
Modulo10 UsedCalculator() {
    Modulo10 calculator;
    EXPECT_EQ(calculator.Calculate("5"), 5);
    return calculator;
}

class Modulo10Calculate : public testing::TestWithParam<CalculateCase> {};

TEST_P(Modulo10Calculate, ReturnsAndKeepsTheCheckDigit) {
    const CalculateCase& c = GetParam();
    Modulo10 calculator = UsedCalculator();
    const std::string original = c.number;
    EXPECT_EQ(calculator.Calculate(c.number), c.expected);
    EXPECT_EQ(calculator.CheckDigit(), c.expected);
    EXPECT_EQ(c.number, original);
}

INSTANTIATE_TEST_SUITE_P(
    Outcomes, Modulo10Calculate,
    testing::Values(
        CalculateCase{"Empty", "", -1}, CalculateCase{"OnlySeparators", " - ", -1},
        CalculateCase{"Zero", "0", 0}, CalculateCase{"SevenWeighsThree", "7", 9},
        CalculateCase{"WorkedExample", "540010110997", 1},
        CalculateCase{"SeparatorsAnywhere", "5400-1011 0997", 1},
        CalculateCase{"LeadingAndTrailingSeparators", " -540010110997- ", 1},
        CalculateCase{"LetterO", "54001O110997", -1}, CalculateCase{"Tab", "5400\t10110997", -1},
        CalculateCase{"EnDashIsNoSeparator", std::string("5400\xE2\x80\x93") + "1011", -1},
        CalculateCase{"HighByte", std::string("54\xB9") + "0", -1},
        CalculateCase{"ColonAboveNine", "54:0", -1}, CalculateCase{"SlashBelowZero", "54/0", -1},
        CalculateCase{"NinesJustBelowLimit", std::string(1818, '9'), 6},
        CalculateCase{"WeightOneIntermediatePassesLimit", std::string(1819, '9'), -1},
        CalculateCase{"LongestBody", std::string(32767, '0'), 0},
        CalculateCase{"BodyTooLong", std::string(32768, '0'), -1},
        CalculateCase{"BlanksDoNotCount", std::string(32767, '0') + " ", 0}),
    test::CaseName{});

// Plain digits are read several at a time, from the right; a check digit worked out one
// digit after the other must come out for every length, and so must a refusal of a non-digit
// wherever it stands. Each text uses all ten digits, so a wrong weight shows.
int CheckDigitOneByOne(const std::string& digits) {
    int sum = 0;
    bool three = true;
    for (auto digit = digits.rbegin(); digit != digits.rend(); ++digit, three = !three) {
        sum += (*digit - '0') * (three ? 3 : 1);
    }
    return (10 - sum % 10) % 10;
}

std::string DigitsOfLength(std::size_t length) {
    std::string digits;
    for (std::size_t i = 0; i < length; ++i) {
        digits += static_cast<char>('0' + (i * 7 + 3) % 10);
    }
    return digits;
}

TEST(Modulo10Lengths, EveryLengthWeighsFromTheRight) {
    for (std::size_t length = 1; length <= 40; ++length) {
        const std::string digits = DigitsOfLength(length);
        Modulo10 calculator = UsedCalculator();
        EXPECT_EQ(calculator.Calculate(digits), CheckDigitOneByOne(digits)) << digits;
        const std::string number = digits + static_cast<char>('0' + CheckDigitOneByOne(digits));
        EXPECT_TRUE(calculator.Check(number)) << number;
    }
}

TEST(Modulo10Lengths, ANonDigitAnywhereIsRefused) {
    for (std::size_t length = 1; length <= 24; ++length) {
        for (std::size_t at = 0; at < length; ++at) {
            for (const char other : {'/', ':', '?', 'O', '\0', '\xB9', '\xFF'}) {
                std::string text = DigitsOfLength(length);
                text[at] = other;
                Modulo10 calculator = UsedCalculator();
                EXPECT_EQ(calculator.Calculate(text), -1) << length << " " << at << " " << other;
                EXPECT_FALSE(calculator.Check(text + "0")) << length << " " << at << " " << other;
                EXPECT_EQ(calculator.CheckDigit(), -1);
            }
        }
    }
}

struct CheckCase {
    const char* name;
    std::string number;
    bool expected;
    std::int16_t checkDigitAfter;
};

std::ostream& operator<<(std::ostream& os, const CheckCase& row) {
    return os << row.name;
}

class Modulo10Check : public testing::TestWithParam<CheckCase> {};

TEST_P(Modulo10Check, ComparesTheLastCharacter) {
    const CheckCase& c = GetParam();
    Modulo10 calculator = UsedCalculator();
    EXPECT_EQ(calculator.Check(c.number), c.expected);
    EXPECT_EQ(calculator.CheckDigit(), c.checkDigitAfter);
}

INSTANTIATE_TEST_SUITE_P(
    Outcomes, Modulo10Check,
    testing::Values(CheckCase{"WorkedExample", "5400101109971", true, 1},
                    CheckCase{"WrongLastDigit", "5400101109970", false, 1},
                    CheckCase{"Empty", "", false, -1}, CheckCase{"SingleDigit", "7", false, -1},
                    CheckCase{"TwoDigits", "79", true, 9},
                    CheckCase{"LetterAtTheEnd", "7x", false, 9},
                    CheckCase{"CharacterJustAboveNineAtTheEnd", "7:", false, 9},
                    CheckCase{"HighByteAtTheEnd", "7\xB9", false, 9},
                    CheckCase{"NonDigitInBody", "x9", false, -1},
                    CheckCase{"SeparatorsRemovedFirst", "540-0101-10997 1", true, 1},
                    CheckCase{"SeparatorsAroundASingleDigit", " 7-", false, -1},
                    CheckCase{"LongestBody", std::string(32768, '0'), true, 0},
                    CheckCase{"BodyTooLong", std::string(32769, '0'), false, -1},
                    CheckCase{"SumPassesLimit", std::string(1819, '9') + "0", false, -1}),
    test::CaseName{});

}  // namespace
}  // namespace varnholt
