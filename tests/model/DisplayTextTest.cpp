#include "model/DisplayText.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>

#include "tests/support/CaseName.h"

namespace varnholt {
namespace {

const std::string kReplacement = "\xEF\xBF\xBD";

struct SafeCase {
    const char* name;
    std::string text;
    std::string safe;
    std::size_t width;
};

std::ostream& operator<<(std::ostream& os, const SafeCase& row) {
    return os << row.name;
}

const SafeCase kCases[] = {
    {"PrintableAscii", "5400-101 ~\"x\"", "5400-101 ~\"x\"", 13},
    {"Empty", "", "", 0},
    {"TwoByteCharacter", "\xC3\xA9", "\xC3\xA9", 1},
    {"ThreeByteCharacter", "\xEF\xBC\x95", "\xEF\xBC\x95", 1},
    {"FourByteCharacter", "\xF0\x9F\x93\xA6", "\xF0\x9F\x93\xA6", 1},
    {"Nul",
     std::string("5\0"
                 "4",
                 3),
     "5" + kReplacement + "4", 3},
    {"TabCrAndEscape", "\t\r\x1b[2J", kReplacement + kReplacement + kReplacement + "[2J", 6},
    {"Delete", "\x7F", kReplacement, 1},
    {"C1Control", "\xC2\x85", kReplacement, 1},
    {"StrayContinuationBytes", "\x80\xBF", kReplacement + kReplacement, 2},
    {"CutShort", "\xE2\x82", kReplacement + kReplacement, 2},
    {"OverlongSlash", "\xC0\xAF", kReplacement + kReplacement, 2},
    {"OverlongThreeBytes", "\xE0\x80\xAF", kReplacement + kReplacement + kReplacement, 3},
    {"Surrogate", "\xED\xA0\x80", kReplacement + kReplacement + kReplacement, 3},
    {"BeyondUnicode", "\xF4\x90\x80\x80", kReplacement + kReplacement + kReplacement + kReplacement,
     4},
    {"LatinOneByte", "caf\xE9", "caf" + kReplacement, 4},
};

class DisplayTextMakesSafe : public testing::TestWithParam<SafeCase> {};

TEST_P(DisplayTextMakesSafe, AsExpected) {
    const SafeCase& c = GetParam();
    DisplayText display;
    display.Of("\xFF");  // a used buffer
    EXPECT_EQ(display.Of(c.text), c.safe);
    EXPECT_EQ(SafeText(c.text), c.safe);
    EXPECT_EQ(DisplayWidth(c.safe), c.width);
}

INSTANTIATE_TEST_SUITE_P(Texts, DisplayTextMakesSafe, testing::ValuesIn(kCases), test::CaseName{});

TEST(DisplayText, PrintableAsciiIsTheTextItself) {
    const std::string text = "5400101109971";
    DisplayText display;
    EXPECT_EQ(display.Of(text).data(), text.data());
}

TEST(DisplayText, CutToWidthKeepsWholeCharacters) {
    const std::string text =
        "a\xC3\xA9"
        "b\xEF\xBC\x95";
    EXPECT_EQ(CutToWidth(text, 0), "");
    EXPECT_EQ(CutToWidth(text, 1), "a");
    EXPECT_EQ(CutToWidth(text, 2), "a\xC3\xA9");
    EXPECT_EQ(CutToWidth(text, 3),
              "a\xC3\xA9"
              "b");
    EXPECT_EQ(CutToWidth(text, 4), text);
    EXPECT_EQ(CutToWidth(text, 9), text);
}

}  // namespace
}  // namespace varnholt
