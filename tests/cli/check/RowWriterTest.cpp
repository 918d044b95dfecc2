#include "cli/check/RowWriter.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/support/TestStreams.h"

namespace varnholt::cli {
namespace {

// Lines as the check command checks them, with their line numbers.
struct Input {
    std::string text;
    std::uint64_t number;
};

const std::vector<Input> kLines = {
    {"5400101109971", 1}, {"5400101109972", 2}, {"96385074", 4},
    {"12,345", 5},        {"\"5\" \x1b[2J", 7}, {std::string(40, '7'), 9},
};

std::string Write(RowFormat format, const std::vector<std::string>& files,
                  const std::vector<Input>& lines = kLines) {
    test::TextSink sink;
    OutputBuffer out(sink);
    const auto writer = MakeRowWriter(format, out, files);
    LineChecker checker;
    Row row;
    for (const std::string& file : files) {
        row.StartFile(file);
        for (const Input& input : lines) {
            Line line;
            line.text = input.text;
            line.length = input.text.size();
            line.number = input.number;
            row.Set(line.number, checker.Check(line));
            writer->Write(row);
        }
    }
    out.Flush();
    return sink.text;
}

// The table is for people, so its alignment is what is tested; the other formats are read
// back by real csv and JSON parsers in the command line's end-to-end test.
TEST(RowWriter, TableForOneFile) {
    EXPECT_EQ(Write(RowFormat::Table, {"a.txt"}),
              "  LINE  NUMBER             RESULT   COUNTRY   SYSTEM  MANUFACTURER  PRODUCT  "
              "FORMAT   GTIN            ELEMENT STRING            DIGITAL LINK              NOTE\n"
              "     1  5400101109971      valid    BE-LU     54      00101         10997    "
              "GTIN-13  05400101109971\n"
              "     2  5400101109972      invalid  BE-LU     54      00101         10997    "
              "GTIN-13                                                                      check "
              "digit 2 is wrong, 540010110997 needs 1\n"
              "     4  96385074           valid              963     (none)        8507     "
              "GTIN-8   00000096385074\n"
              "     5  12,345             error                                             "
              "                                                                             \",\" "
              "at column 3 is not a digit\n"
              "     7  \"5\" \xEF\xBF\xBD[2J           error                                    "
              "                                                                                    "
              "  \"\"\" at column 1 is not a digit\n"
              "     9  7777777777777777\xE2\x80\xA6  error                                    "
              "                                                                                    "
              "  40 digits, not 8, 10, 12, 13 or 14\n");
}

TEST(RowWriter, TableShowsFilesWhenThereAreSeveral) {
    const std::vector<Input> one = {{"96385074", 3}};
    EXPECT_EQ(Write(RowFormat::Table, {"a.txt", "catalogue.txt"}, one),
              "FILE             LINE  NUMBER             RESULT   COUNTRY   SYSTEM  MANUFACTURER  "
              "PRODUCT  FORMAT   GTIN            ELEMENT STRING            DIGITAL LINK            "
              "  NOTE\n"
              "a.txt               3  96385074           valid              963     (none)        "
              "8507     GTIN-8   00000096385074\n"
              "catalogue.txt       3  96385074           valid              963     (none)        "
              "8507     GTIN-8   00000096385074\n");
}

TEST(RowWriter, WithoutRowsOnlyTheHeaderOfCsvAndTsv) {
    EXPECT_EQ(Write(RowFormat::Table, {"a.txt"}, {}), "");
    EXPECT_EQ(Write(RowFormat::JsonLines, {"a.txt"}, {}), "");
    std::string header;
    for (const Column& column : kColumns) {
        header += (header.empty() ? "" : "\t") + std::string(column.name);
    }
    EXPECT_EQ(Write(RowFormat::Tsv, {"a.txt"}, {}), header + "\n");
}

// A row far longer than the output's buffer is written whole, quotes and all.
TEST(RowWriter, CsvRowLongerThanTheBuffer) {
    const std::string file(OutputBuffer::kCapacity, '"');
    const std::string written = Write(RowFormat::Csv, {file}, {{"96385074", 1}});
    const std::string quoted = "\"" + std::string(2 * file.size(), '"') + "\"";
    EXPECT_NE(
        written.find("\n" + quoted + ",1,96385074,true,,963,,8507,,,GTIN-8,00000096385074,,\n"),
        std::string::npos);
}

// GS1 data's forms may hold a comma or a quote, and be longer than any number's field: quoted
// as csv quotes, and cut in the table.
TEST(RowWriter, Gs1FormsQuotedInCsvAndCutInTheTable) {
    const std::vector<Input> gs1 = {{"(01)04006381333931(10)A,\"1", 3}};
    EXPECT_EQ(
        Write(RowFormat::Csv, {"a.txt"}, gs1).substr(Write(RowFormat::Csv, {"a.txt"}, {}).size()),
        "a.txt,3,\"(01)04006381333931(10)A,\"\"1\",true,DE,400,6381,33393,,,GS1 element "
        "string,04006381333931,\"(01)04006381333931(10)A,\"\"1\","
        "https://id.gs1.org/01/04006381333931/10/A%2C%221\n");
    const std::string table = Write(RowFormat::Table, {"a.txt"}, gs1);
    EXPECT_NE(table.find("  GS1      04006381333931  (01)04006381333931(10)A\xE2\x80\xA6  "
                         "https://id.gs1.org/01/0\xE2\x80\xA6\n"),
              std::string::npos)
        << table;
}

// GS1 data's row with nothing to quote goes straight through, as a number's does: the same
// fields in the same places, the line's GS made safe, a fault in the error column.
TEST(RowWriter, Gs1RowsWithNothingToQuoteInCsv) {
    const std::vector<Input> gs1 = {{"]d2010400638133393110AB\x1d"
                                     "17271231",
                                     2},
                                    {"(01)04006381333931(17)271331", 6}};
    EXPECT_EQ(
        Write(RowFormat::Csv, {"a.txt"}, gs1).substr(Write(RowFormat::Csv, {"a.txt"}, {}).size()),
        "a.txt,2,]d2010400638133393110AB\xEF\xBF\xBD"
        "17271231,true,DE,400,6381,33393,,,GS1 element string,04006381333931,"
        "(01)04006381333931(10)AB(17)271231,https://id.gs1.org/01/04006381333931/10/AB?17=271231\n"
        "a.txt,6,(01)04006381333931(17)271331,false,,,,,,AI (17): 271331: month 13,"
        "GS1 element string,,,\n");
}

}  // namespace
}  // namespace varnholt::cli
