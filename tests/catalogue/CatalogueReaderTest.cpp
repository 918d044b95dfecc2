#include "catalogue/CatalogueReader.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/support/TestStreams.h"

namespace varnholt::catalogue {
namespace {

// What a reader hands out: each record's line, number field and fault, or why it stopped.
std::vector<std::string> Read(const std::string& text, const CatalogueOptions& options) {
    test::TextSource source(text, 3);  // a few bytes a read, as a pipe may hand them
    CatalogueReader reader(source, options);
    if (const Result<Done> started = reader.Start(); !started) {
        return {"refused: " + started.Error()};
    }
    std::vector<std::string> seen;
    CatalogueRecord record;
    while (reader.Next(record)) {
        seen.push_back(std::to_string(record.line.number) + " " + std::string(record.line.text) +
                       (record.fault.empty() ? "" : " / " + std::string(record.fault)) + " (" +
                       std::to_string(record.fields.size()) + " fields)");
    }
    return seen;
}

TEST(CatalogueReader, TakesTheColumnByNameOrNumberAndGivesEachRecordItsLine) {
    const std::string catalogue =
        "\xEF\xBB\xBFsku;EAN;name\nA-1;4006381333931;\"Lamp;\n oak\"\nA-2\nA-3;96385074;x\"y\n";
    struct Row {
        const char* name;
        CatalogueOptions options;
        std::vector<std::string> expected;
    };
    const std::vector<std::string> byEan = {
        "2 4006381333931 (3 fields)", "4  (1 fields)",
        "5 96385074 / a quote inside a field that does not start with one, kept as it stands "
        "(3 fields)"};
    for (const Row& row : {
             Row{"ByNameInAnyCase", {"ean", false, {}}, byEan},
             Row{"ByNumberWithHeader", {"2", true, {}}, byEan},
             Row{"ByNumberWithoutHeader",
                 {"1", false, ';'},
                 {"1 sku (3 fields)", "2 A-1 (3 fields)", "4 A-2 (1 fields)",
                  "5 A-3 / a quote inside a field that does not start with one, kept as it stands "
                  "(3 fields)"}},
             Row{"NoSuchColumn",
                 {"gtin", false, {}},
                 {"refused: no column gtin in the header, which names sku, EAN, name"}},
         }) {
        EXPECT_EQ(Read(catalogue, row.options), row.expected) << row.name;
    }
    EXPECT_TRUE(Read("", {"ean", false, {}}).empty()) << "an empty catalogue has nothing to read";
}

}  // namespace
}  // namespace varnholt::catalogue
