#include "cli/render/FileNamePattern.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <string_view>
#include <vector>

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

// A catalogue's fields in a file's name: found by header name or number, and refused for a
// record whose value would make no name, another folder's or one with a control character.
struct ColumnRow {
    std::string name;
    std::string pattern;
    std::vector<std::string_view> fields;  // of the header ean, SKU, name
    std::string expanded;                  // empty when refused
    std::string refusal;                   // a part of the refusal
};

class FileNamePatternColumns : public testing::TestWithParam<ColumnRow> {};

TEST_P(FileNamePatternColumns, TakeTheFieldOrRefuseTheRecord) {
    const ColumnRow& row = GetParam();
    FileNamePattern pattern(row.pattern);
    ASSERT_EQ(pattern.Error(), "");
    ASSERT_TRUE(pattern.UsesColumns());
    const std::vector<std::string_view> header{"ean", "SKU", "name"};
    const ColumnNames names(header);
    ASSERT_TRUE(pattern.FindColumns(&names));
    const ExpandedName name = pattern.ExpandFileName({"5400101109971", 7, row.fields});
    if (row.refusal.empty()) {
        EXPECT_EQ(name.refusal, "");
        EXPECT_EQ(name.name, row.expanded);
    } else {
        EXPECT_NE(name.refusal.find(row.refusal), std::string::npos) << name.refusal;
    }
}

const std::string kLongValue(255, 'a');  // as long as a part can be

INSTANTIATE_TEST_SUITE_P(
    Values, FileNamePatternColumns,
    testing::Values(
        ColumnRow{"ByNameInAnyCase",
                  "out/{column:sku}-{number}.png",
                  {"1", "A-1", "x"},
                  "out/A-1-5400101109971.png",
                  ""},
        ColumnRow{"ByNumber",
                  "{column:3}_{line}.svg",
                  {"1", "A-1", "Lamp (big)"},
                  "Lamp (big)_7.svg",
                  ""},
        ColumnRow{"DotsInsideAName", "{column:sku}.svg", {"1", "..a", "x"}, "..a.svg", ""},
        ColumnRow{"Empty", "{column:sku}.svg", {"1", "", "x"}, "", "{column:sku} is empty"},
        ColumnRow{"MissingField", "{column:name}.svg", {"1"}, "", "is empty"},
        ColumnRow{"Slash", "{column:sku}.svg", {"1", "a/b", "x"}, "", "holds a \"/\""},
        ColumnRow{"Parent", "out/{column:sku}", {"1", "..", "x"}, "", "names a folder"},
        ColumnRow{"Dot", "{column:sku}", {"1", ".", "x"}, "", "names a folder"},
        ColumnRow{"TwoFieldsMakeAPartTooLong",
                  "a/{column:sku}{column:name}/b.svg",
                  {"1", kLongValue, "b"},
                  "",
                  "longer than 255 bytes"},
        ColumnRow{"Tab", "{column:sku}.svg", {"1", "a\tb", "x"}, "", "control character"},
        ColumnRow{"Delete", "{column:sku}.svg", {"1", "a\x7F", "x"}, "", "control character"},
        ColumnRow{"AsLongAsAPartCanBe",
                  "{column:sku}/x.svg",
                  {"1", kLongValue, "x"},
                  kLongValue + "/x.svg",
                  ""}),
    test::CaseName{});

TEST(FileNamePattern, ColumnsTheHeaderLacksOrThatNeedANumber) {
    const std::vector<std::string_view> header{"ean", "sku"};
    const ColumnNames names(header);
    FileNamePattern price("{column:price}.svg");
    EXPECT_NE(price.FindColumns(&names).Error().find("no such column"), std::string::npos);
    FileNamePattern byName("{column:sku}.svg");
    EXPECT_NE(byName.FindColumns(nullptr).Error().find("number from 1"), std::string::npos);
    FileNamePattern byNumber("{column:2}.svg");
    EXPECT_TRUE(byNumber.FindColumns(nullptr));
    const std::vector<std::string_view> fields{"5400101109971", "A-1"};
    EXPECT_EQ(byNumber.ExpandFileName({"", 1, fields}).name, "A-1.svg");
    EXPECT_NE(FileNamePattern("{column:}.svg").Error().find("unknown placeholder"),
              std::string::npos);
}

TEST(FileNamePattern, LinesWiderThanTheirPaddingKeepEveryDigit) {
    EXPECT_EQ(FileNamePattern("{line:02}").Expand("", 12345), "12345");
}

// {gtin} is a placeholder only where the pattern takes one, as GS1 data does.
TEST(FileNamePattern, GtinOnlyWhereThePatternTakesIt) {
    EXPECT_NE(FileNamePattern("{gtin}.svg").Error().find("unknown placeholder {gtin}"),
              std::string::npos);
    const FileNamePattern data("(01){gtin}(21){number}", true);
    ASSERT_EQ(data.Error(), "");
    EXPECT_EQ(data.Expand(PatternValues{"5400101109971", 3, {}, "05400101109971"}),
              "(01)05400101109971(21)5400101109971");
}

}  // namespace
}  // namespace varnholt::cli
