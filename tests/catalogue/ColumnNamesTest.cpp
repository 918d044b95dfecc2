#include "catalogue/ColumnNames.h"

#include <gtest/gtest.h>

#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "tests/support/CaseName.h"

namespace varnholt::catalogue {
namespace {

struct FindCase {
    const char* name;
    std::vector<std::string_view> header;
    std::string_view column;
    // 0-based.
    std::optional<std::size_t> found;
};

std::ostream& operator<<(std::ostream& os, const FindCase& row) {
    return os << row.name;
}

class ColumnNamesFind : public testing::TestWithParam<FindCase> {};

TEST_P(ColumnNamesFind, TheColumnMeant) {
    const FindCase& c = GetParam();
    EXPECT_EQ(ColumnNames(c.header).Find(c.column), c.found);
}

INSTANTIATE_TEST_SUITE_P(
    Columns, ColumnNamesFind,
    testing::Values(FindCase{"ExactName", {"sku", "ean"}, "ean", 1},
                    FindCase{"ExactBeforeOtherCase", {"EAN", "ean"}, "ean", 1},
                    FindCase{"OtherCase", {"sku", "Ean"}, "eAN", 1},
                    FindCase{"FirstOfTwins", {"ean", "x", "ean"}, "ean", 0},
                    FindCase{"OnlyAsciiCaseFolds", {"ÉAN"}, "éan", std::nullopt},
                    FindCase{"NoBlanksTrimmed", {" ean"}, "ean", std::nullopt},
                    FindCase{"ByteOrderMarkDropped",
                             {"\xEF\xBB\xBF"
                              "ean"},
                             "ean",
                             0},
                    FindCase{"Number", {"sku", "ean"}, "2", 1},
                    FindCase{"NumberWithLeadingZero", {"sku", "ean"}, "02", 1},
                    FindCase{"NameThatIsANumber", {"2", "ean"}, "2", 0},
                    FindCase{"NumberZero", {"ean"}, "0", std::nullopt},
                    FindCase{"NumberPastTheEnd", {"sku", "ean"}, "3", std::nullopt},
                    FindCase{"NumberTooLarge", {"ean"}, "99999999999999999999999", std::nullopt},
                    FindCase{"NotAllDigits", {"a", "b"}, "+1", std::nullopt},
                    FindCase{"EmptyMatchesOnlyAnEmptyName", {"a", ""}, "", 1},
                    FindCase{"Missing", {"sku", "ean"}, "gtin", std::nullopt}),
    test::CaseName{});

TEST(ColumnNames, KeepsTheNamesPastTheRecord) {
    std::string text =
        "\xEF\xBB\xBF"
        "ean;sku";
    const std::vector<std::string_view> header{std::string_view(text).substr(0, 6),
                                               std::string_view(text).substr(7)};
    const ColumnNames names(header);
    text.assign(text.size(), 'x');
    EXPECT_EQ(names.Count(), 2u);
    EXPECT_EQ(names.Names(), (std::vector<std::string>{"ean", "sku"}));
    EXPECT_EQ(names.FindNumber(2), 1u);
    EXPECT_EQ(names.FindName("SKU"), 1u);
}

}  // namespace
}  // namespace varnholt::catalogue
