#include "cli/RowWriter.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "cli/NumberFacts.h"
#include "tests/cli/TestStreams.h"

namespace varnholt::cli {
namespace {

// Rows of the lines below, examined as the check command examines them.
struct Input {
    std::string text;
    std::uint64_t number;
};

const std::vector<Input> kLines = {
    {"5400101109971", 1}, {"5400101109972", 2}, {"96385074", 4},
    {"12,345", 5},        {"\"5\" \x1b[2J", 7}, {std::string(40, '7'), 9},
};

std::string Write(Format format, const std::vector<std::string>& files,
                  const std::vector<Input>& lines = kLines) {
    test::TextSink sink;
    OutputBuffer out(sink);
    const auto writer = MakeRowWriter(format, out, files);
    NumberExaminer examiner;
    for (const std::string& file : files) {
        writer->StartFile(file);
        for (const Input& input : lines) {
            Line line;
            line.text = input.text;
            line.length = input.text.size();
            line.number = input.number;
            writer->Row(line.number, examiner.Examine(line));
        }
    }
    out.Flush();
    return sink.text;
}

TEST(RowWriter, Csv) {
    EXPECT_EQ(Write(Format::Csv, {"a.txt"}),
              "file,line,number,valid,country,number_system,manufacturer_code,product_code,"
              "expected_check_digit,error\n"
              "a.txt,1,5400101109971,true,BE-LU,54,00101,10997,,\n"
              "a.txt,2,5400101109972,false,BE-LU,54,00101,10997,1,\n"
              "a.txt,4,96385074,true,,963,,8507,,\n"
              "a.txt,5,\"12,345\",false,,,,,,\"\"\",\"\" at column 3 is not a digit\"\n"
              "a.txt,7,\"\"\"5\"\" \xEF\xBF\xBD[2J\",false,,,,,,\"\"\"\"\"\"\" at column 1 is not "
              "a digit\"\n"
              "a.txt,9,7777777777777777777777777777777777777777,false,,,,,,\"40 digits, not 13 "
              "or 8\"\n");
}

TEST(RowWriter, CsvQuotesFileNames) {
    const std::vector<Input> one = {{"96385074", 1}};
    EXPECT_EQ(Write(Format::Csv, {"a,b \"c\".txt"}, one),
              "file,line,number,valid,country,number_system,manufacturer_code,product_code,"
              "expected_check_digit,error\n"
              "\"a,b \"\"c\"\".txt\",1,96385074,true,,963,,8507,,\n");
}

TEST(RowWriter, Tsv) {
    EXPECT_EQ(
        Write(Format::Tsv, {"a.txt"}),
        "file\tline\tnumber\tvalid\tcountry\tnumber_system\tmanufacturer_code\tproduct_code"
        "\texpected_check_digit\terror\n"
        "a.txt\t1\t5400101109971\ttrue\tBE-LU\t54\t00101\t10997\t\t\n"
        "a.txt\t2\t5400101109972\tfalse\tBE-LU\t54\t00101\t10997\t1\t\n"
        "a.txt\t4\t96385074\ttrue\t\t963\t\t8507\t\t\n"
        "a.txt\t5\t12,345\tfalse\t\t\t\t\t\t\",\" at column 3 is not a digit\n"
        "a.txt\t7\t\"5\" \xEF\xBF\xBD[2J\tfalse\t\t\t\t\t\t\"\"\" at column 1 is not a digit\n"
        "a.txt\t9\t7777777777777777777777777777777777777777\tfalse\t\t\t\t\t\t40 digits, not "
        "13 or 8\n");
}

TEST(RowWriter, JsonLines) {
    const std::vector<Input> lines = {{"5400101109972", 2}, {"96385074", 4}, {"\"5\\", 5}};
    EXPECT_EQ(Write(Format::JsonLines, {"a\"b.txt"}, lines),
              "{\"file\":\"a\\\"b.txt\",\"line\":2,\"number\":\"5400101109972\",\"valid\":false,"
              "\"country\":\"BE-LU\",\"number_system\":\"54\",\"manufacturer_code\":\"00101\","
              "\"product_code\":\"10997\",\"expected_check_digit\":1,\"error\":null}\n"
              "{\"file\":\"a\\\"b.txt\",\"line\":4,\"number\":\"96385074\",\"valid\":true,"
              "\"country\":null,\"number_system\":\"963\",\"manufacturer_code\":null,"
              "\"product_code\":\"8507\",\"expected_check_digit\":null,\"error\":null}\n"
              "{\"file\":\"a\\\"b.txt\",\"line\":5,\"number\":\"\\\"5\\\\\",\"valid\":false,"
              "\"country\":null,\"number_system\":null,\"manufacturer_code\":null,"
              "\"product_code\":null,\"expected_check_digit\":null,"
              "\"error\":\"\\\"\\\"\\\" at column 1 is not a digit\"}\n");
}

TEST(RowWriter, TableForOneFile) {
    EXPECT_EQ(
        Write(Format::Table, {"a.txt"}),
        "  LINE  NUMBER             RESULT   COUNTRY   SYSTEM  MANUFACTURER  PRODUCT  NOTE\n"
        "     1  5400101109971      valid    BE-LU     54      00101         10997\n"
        "     2  5400101109972      invalid  BE-LU     54      00101         10997    check "
        "digit should be 1\n"
        "     4  96385074           valid              963     (none)        8507\n"
        "     5  12,345             error                                             \",\" at "
        "column 3 is not a digit\n"
        "     7  \"5\" \xEF\xBF\xBD[2J           error                                             "
        "\"\"\" at column 1 is not a digit\n"
        "     9  7777777777777777\xE2\x80\xA6  error                                             "
        "40 "
        "digits, not 13 or 8\n");
}

TEST(RowWriter, TableShowsFilesWhenThereAreSeveral) {
    const std::vector<Input> one = {{"96385074", 3}};
    EXPECT_EQ(Write(Format::Table, {"a.txt", "catalogue.txt"}, one),
              "FILE             LINE  NUMBER             RESULT   COUNTRY   SYSTEM  MANUFACTURER  "
              "PRODUCT  NOTE\n"
              "a.txt               3  96385074           valid              963     (none)        "
              "8507\n"
              "catalogue.txt       3  96385074           valid              963     (none)        "
              "8507\n");
}

TEST(RowWriter, TableWithoutRowsWritesNothing) {
    EXPECT_EQ(Write(Format::Table, {"a.txt"}, {}), "");
}

TEST(RowWriter, HeaderRowsWithoutRows) {
    EXPECT_EQ(Write(Format::Csv, {"a.txt"}, {}),
              "file,line,number,valid,country,number_system,manufacturer_code,product_code,"
              "expected_check_digit,error\n");
    EXPECT_EQ(Write(Format::JsonLines, {"a.txt"}, {}), "");
}

TEST(RowWriter, FormatNames) {
    EXPECT_EQ(FormatNamed("table"), Format::Table);
    EXPECT_EQ(FormatNamed("csv"), Format::Csv);
    EXPECT_EQ(FormatNamed("tsv"), Format::Tsv);
    EXPECT_EQ(FormatNamed("jsonl"), Format::JsonLines);
    EXPECT_EQ(FormatNamed("json"), std::nullopt);
    EXPECT_EQ(FormatNamed("CSV"), std::nullopt);
}

}  // namespace
}  // namespace varnholt::cli
