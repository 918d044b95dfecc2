#include "cli/FileNamePattern.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>

#include "tests/support/CaseName.h"

namespace varnholt::cli {
namespace {

struct Row {
    std::string name;
    std::string pattern;
    std::string expanded;  // for 5400101109971 on line 7; empty when refused
    std::string error;     // a part of the refusal
    bool placeholder = true;

    // The pattern, rather than the bytes, in test listings.
    friend void PrintTo(const Row& row, std::ostream* out) { *out << row.pattern; }
};

class FileNamePatternOf : public testing::TestWithParam<Row> {};

TEST_P(FileNamePatternOf, ExpandsOrSaysWhatIsWrong) {
    const Row& row = GetParam();
    const FileNamePattern pattern(row.pattern);
    if (!row.error.empty()) {
        EXPECT_NE(pattern.Error().find(row.error), std::string::npos) << pattern.Error();
        return;
    }
    EXPECT_EQ(pattern.Error(), "");
    EXPECT_EQ(pattern.HasPlaceholder(), row.placeholder);
    EXPECT_EQ(pattern.Expand("5400101109971", 7), row.expanded);
}

INSTANTIATE_TEST_SUITE_P(
    Patterns, FileNamePatternOf,
    testing::Values(Row{"Number", "labels/{number}.svg", "labels/5400101109971.svg", ""},
                    Row{"Line", "out-{line}.png", "out-7.png", ""},
                    Row{"PaddedLine", "out-{line:05}.png", "out-00007.png", ""},
                    Row{"Both", "{line:03}_{number}_{number}.pdf",
                        "007_5400101109971_5400101109971.pdf", ""},
                    Row{"Braces", "{{x}}-{number}.eps", "{x}-5400101109971.eps", ""},
                    Row{"NoPlaceholder", "all.svg", "all.svg", "", false},
                    Row{"Unknown", "{nmber}.svg", "", "unknown placeholder {nmber}"},
                    Row{"NoWidth", "{line:0}.svg", "", "give the width as {line:0N}"},
                    Row{"WidthNotANumber", "{line:0x}.svg", "", "give the width as {line:0N}"},
                    Row{"TooWide", "{line:021}.svg", "", "N from 1 to 20"},
                    Row{"Unopened", "a}.svg", "", "a \"}\" without its \"{\""},
                    Row{"Unclosed", "{number.svg", "", "a \"{\" without its \"}\""}),
    test::CaseName{});

TEST(FileNamePattern, LinesWiderThanTheirPaddingKeepEveryDigit) {
    EXPECT_EQ(FileNamePattern("{line:02}").Expand("", 12345), "12345");
}

}  // namespace
}  // namespace varnholt::cli
