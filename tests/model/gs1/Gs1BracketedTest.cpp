#include <gtest/gtest.h>

#include <ostream>
#include <string>

#include "model/gs1/Bracketed.h"
#include "tests/support/CaseName.h"

namespace varnholt::gs1 {
namespace {

struct SyntaxCase {
    const char* name;
    std::string text;
    std::string fault;
};

std::ostream& operator<<(std::ostream& os, const SyntaxCase& row) {
    return os << row.name;
}

class Gs1BracketedSyntax : public testing::TestWithParam<SyntaxCase> {};

TEST_P(Gs1BracketedSyntax, IsRefusedWhereItBreaks) {
    const SyntaxCase& c = GetParam();
    EXPECT_EQ(ReadBracketed(c.text).Error(), c.fault);
}

INSTANTIATE_TEST_SUITE_P(
    Faults, Gs1BracketedSyntax,
    testing::Values(
        SyntaxCase{"Empty", "", "bracketed text: empty"},
        SyntaxCase{"NoBracket", "0109506000134352",
                   "bracketed text: no AI in brackets at character 1"},
        SyntaxCase{"Unclosed", "(01", "bracketed text: no AI in brackets at character 1"},
        SyntaxCase{"AiTooLong", "(01234)5", "bracketed text: no AI in brackets at character 1"},
        SyntaxCase{"SecondAiEmpty", "(01)09506000134352()",
                   "bracketed text: no AI in brackets at character 19"},
        SyntaxCase{"TwiceDifferent", "(01)09506000134352(10)A(10)B",
                   "AI (10): given twice, as A and B"}),
    test::CaseName{});

TEST(Gs1Bracketed, ReadsEachAiWithItsDataInOrder) {
    const Result<Reading> reading = ReadBracketed("(01)09506000134352(17)271231(10)AB-123(21)A1B2");
    ASSERT_TRUE(reading) << reading.Error();
    ASSERT_EQ(reading->Size(), 4U);
    EXPECT_EQ((*reading)[1].ai, "17");
    EXPECT_EQ((*reading)[1].value, "271231");
    EXPECT_EQ((*reading)[1].entry->title, "USE BY or EXPIRY");
    EXPECT_EQ(reading->ValueOf("21"), "A1B2");
    EXPECT_EQ(reading->ValueOf("22"), std::nullopt);
}

TEST(Gs1Bracketed, KeepsDataGivenTwiceAlikeOnce) {
    const Result<Reading> reading = ReadBracketed("(01)09506000134352(10)A(10)A");
    ASSERT_TRUE(reading) << reading.Error();
    EXPECT_EQ(BracketedText(*reading), "(01)09506000134352(10)A");
}

TEST(Gs1Bracketed, EscapesABracketWithinData) {
    const Result<Reading> reading = ReadBracketed("(01)09506000134352(10)A\\(B)C");
    ASSERT_TRUE(reading) << reading.Error();
    EXPECT_EQ(reading->ValueOf("10"), "A(B)C");
    EXPECT_EQ(BracketedText(*reading), "(01)09506000134352(10)A\\(B)C");
    EXPECT_EQ(HumanReadableText(*reading), "(01) 09506000134352 (10) A(B)C");
}

TEST(Gs1Bracketed, CopiesKeepTheirData) {
    Reading copy;
    {
        const std::string text = "(01)09506000134352(10)AB-123";
        copy = *ReadBracketed(text);
    }
    EXPECT_EQ(copy.ValueOf("10"), "AB-123");
}

// Long data under many AIs, more characters than a reading has room for.
TEST(Gs1Bracketed, RefusesMoreDataThanAReadingHolds) {
    std::string text;
    const auto add = [&](int first, int last, std::size_t length, const std::string& start = "") {
        for (int ai = first; ai <= last; ++ai) {
            text += "(" + std::to_string(ai) + ")" + start + std::string(length, 'A');
        }
    };
    add(91, 99, 90);
    add(4302, 4306, 70);
    add(4312, 4316, 70);
    add(7230, 7239, 30);
    add(7240, 7240, 20);
    add(7030, 7039, 27, "276");
    const Result<Reading> reading = ReadBracketed(text, ReadOptions{.associations = false});
    EXPECT_GT(text.size(), Reading::kMostCharacters);
    EXPECT_NE(reading.Error().find("more data than a reading holds"), std::string::npos)
        << reading.Error();
}

}  // namespace
}  // namespace varnholt::gs1
