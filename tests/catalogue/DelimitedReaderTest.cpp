#include "catalogue/DelimitedReader.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <ostream>
#include <string>
#include <system_error>
#include <vector>

#include "tests/support/CaseName.h"
#include "tests/support/TestStreams.h"

namespace varnholt::catalogue {
namespace {

using Fault = RecordFault;

struct Expected {
    std::uint64_t line;
    std::vector<std::string> fields;
    Fault fault = Fault::None;
    // Checked where given.
    std::optional<std::uint64_t> length = std::nullopt;
};

struct ReaderCase {
    const char* name;
    std::string input;
    std::vector<Expected> records;
    std::optional<char> delimiter = ',';
    // The reader's bound on a record's length.
    std::size_t longest = kLongestRecord;
};

std::ostream& operator<<(std::ostream& os, const ReaderCase& row) {
    return os << row.name;
}

const std::string kBom = "\xEF\xBB\xBF";

// Every case once with the whole input at hand and then a few bytes at a time, so that
// records, quotes, CR LF pairs and byte-order marks fall across reads.
void ExpectRecords(const ReaderCase& c, std::size_t chunk) {
    test::TextSource source(c.input, chunk);
    DelimitedReader reader(source, c.delimiter, c.longest);
    Record record;
    for (std::size_t i = 0; i < c.records.size(); ++i) {
        const Expected& expected = c.records[i];
        ASSERT_TRUE(reader.Next(record)) << "record " << i + 1 << " of " << c.records.size();
        EXPECT_EQ(record.line, expected.line) << "record " << i + 1;
        EXPECT_EQ(std::vector<std::string>(record.fields.begin(), record.fields.end()),
                  expected.fields)
            << "record " << i + 1;
        EXPECT_EQ(record.fault, expected.fault) << "record " << i + 1;
        if (expected.length) {
            EXPECT_EQ(record.length, *expected.length) << "record " << i + 1;
        }
    }
    EXPECT_FALSE(reader.Next(record));
    EXPECT_FALSE(reader.Next(record)) << "the end stays the end";
    EXPECT_EQ(reader.BytesRead(), c.input.size());
}

class DelimitedReaderReads : public testing::TestWithParam<ReaderCase> {};

TEST_P(DelimitedReaderReads, AllAtOnce) {
    ExpectRecords(GetParam(), std::size_t{1} << 30);
}

TEST_P(DelimitedReaderReads, AFewBytesAtATime) {
    for (const std::size_t chunk : {1u, 2u, 3u, 7u, 4093u}) {
        SCOPED_TRACE(chunk);
        ExpectRecords(GetParam(), chunk);
    }
}

std::vector<ReaderCase> QuotingCases() {
    return {
        {"DelimiterInQuotes", "\"a,b\",c\n", {{1, {"a,b", "c"}}}},
        {"DoubledQuotes", "\"say \"\"hi\"\"\",\"\"\"\"\n", {{1, {"say \"hi\"", "\""}}}},
        {"LineEndsInQuotesKept",
         "\"a\nb\",\"c\r\nd\"\r\nnext\n",
         {{1, {"a\nb", "c\r\nd"}, Fault::None, 12}, {4, {"next"}}}},
        {"EmptyFields", ",,\n\"\",x,\"\"\n", {{1, {"", "", ""}}, {2, {"", "x", ""}}}},
        {"QuotedEmptyAloneIsARecord", "\"\"\n", {{1, {""}}}},
        {"BlanksKept", " a , b \n", {{1, {" a ", " b "}}}},
        {"CrAloneIsText", "a\rb,c\r\r\n", {{1, {"a\rb", "c\r"}}}},
        {"SemicolonsAndTabs", "a;b\tc\n", {{1, {"a", "b\tc"}}}, ';'},
        {"Tabs", "a;b\t\"c\td\"\n", {{1, {"a;b", "c\td"}}}, '\t'},
        {"GivenDelimiterOverTheCommonest", "a;b;c,d\n", {{1, {"a;b;c", "d"}}}},
        {"NulBytes", std::string("a\0,\"\0\"\n", 7), {{1, {std::string(1, 'a') + '\0', {'\0'}}}}},
    };
}

std::vector<ReaderCase> LineEndCases() {
    return {
        {"Empty", "", {}},
        {"CrLf", "a,b\r\nc\r\n", {{1, {"a", "b"}, Fault::None, 3}, {2, {"c"}}}},
        {"LastRecordWithoutLineEnd", "a\nb,c", {{1, {"a"}}, {2, {"b", "c"}}}},
        {"LastRecordEndsInCr", "a\n\"b\"\r", {{1, {"a"}}, {2, {"b"}, Fault::None, 3}}},
        {"EmptyLastField", "a,", {{1, {"a", ""}}}},
        {"BlankLinesCounted", "\n\r\na\n\n\r\n\nb\n\r", {{3, {"a"}}, {7, {"b"}}}},
        {"OnlyBlankLines", "\n\r\n\n", {}},
        {"LinesCountedInsideQuotes",
         "\"1\n2\n3\"\n\"\nx\"\n4\n",
         {{1, {"1\n2\n3"}}, {4, {"\nx"}}, {6, {"4"}}}},
    };
}

std::vector<ReaderCase> ByteOrderMarkCases() {
    return {
        {"OnlyByteOrderMark", kBom, {}},
        {"ByteOrderMarkDropped", kBom + "ean\n", {{1, {"ean"}, Fault::None, 3}}},
        {"ByteOrderMarkBeforeQuote", kBom + "\"ean\"\n", {{1, {"ean"}}}},
        {"ByteOrderMarkOnlyAtTheStart", "a\n" + kBom + "b\n", {{1, {"a"}}, {2, {kBom + "b"}}}},
        {"PartOfAByteOrderMark", "\xEF\xBB,x\n", {{1, {"\xEF\xBB", "x"}}}},
    };
}

std::vector<ReaderCase> MalformedCases() {
    return {
        {"QuoteInUnquotedField",
         "a,12\" wide,\"b\"\n",
         {{1, {"a", "12\" wide", "b"}, Fault::QuoteInUnquotedField}}},
        {"QuoteAfterBlank", " \"a\"\n", {{1, {" \"a\""}, Fault::QuoteInUnquotedField}}},
        {"TextAfterClosingQuote",
         "\"a\"b\"c\",d\n",
         {{1, {"ab\"c\"", "d"}, Fault::TextAfterClosingQuote}}},
        {"CrAfterClosingQuote", "\"a\"\rb\n", {{1, {"a\rb"}, Fault::TextAfterClosingQuote}}},
        {"FirstFaultWins",
         "x\"y,\"a\"b\n\"a\"b,x\"y\n",
         {{1, {"x\"y", "ab"}, Fault::QuoteInUnquotedField},
          {2, {"ab", "x\"y"}, Fault::TextAfterClosingQuote}}},
        {"FaultsStayWithTheirRecord",
         "x\"\ny\n",
         {{1, {"x\""}, Fault::QuoteInUnquotedField}, {2, {"y"}}}},
        {"UnterminatedQuote",
         "a\n\"b,\r\nc",
         {{1, {"a"}}, {2, {"b,\r\nc"}, Fault::UnterminatedQuote, 6}}},
        {"UnterminatedAfterDoubledQuote", "\"b\"\"", {{1, {"b\""}, Fault::UnterminatedQuote}}},
    };
}

std::vector<ReaderCase> LongRecordCases() {
    const std::string block(DelimitedReader::kBlockSize, 'x');
    const std::string longest(kLongestRecord, '9');
    return {
        {"LongestRecord",
         "123456789,123456\r\n1\n",
         {{1, {"123456789", "123456"}}, {2, {"1"}}},
         ',',
         16},
        {"OneByteTooLong",
         "123456789,1234567\r\n1\n",
         {{1, {}, Fault::TooLong, 17}, {2, {"1"}}},
         ',',
         16},
        {"TooLongInsideQuotes",
         "\"12345\n67890\n12345\n\",x\r\n1\n",
         {{1, {}, Fault::TooLong, 22}, {5, {"1"}}},
         ',',
         16},
        {"TooLongDelimitersAndQuotesAfterTheBound",
         "12345678901234567,\"a\n\"\"b\"x\"\n,\n1\n",
         {{1, {}, Fault::TooLong, 27}, {3, {"", ""}}, {4, {"1"}}},
         ',',
         16},
        {"TooLongAtTheEnd",
         "1\n12345678901234567\r",
         {{1, {"1"}}, {2, {}, Fault::TooLong, 17}},
         ',',
         16},
        {"TooLongUnterminated",
         "1\n\"12345678901234567\r",
         {{1, {"1"}}, {2, {}, Fault::TooLong, 19}},
         ',',
         16},
        {"LongestOfTheDefaultBound", longest + "\n1\n", {{1, {longest}}, {2, {"1"}}}},
        {"LongerThanBlocks",
         "\"" + block + "\n" + block + "\n" + longest + "\",\r\n1\n",
         {{1, {}, Fault::TooLong, 2 * block.size() + longest.size() + 5}, {4, {"1"}}}},
    };
}

INSTANTIATE_TEST_SUITE_P(Quoting, DelimitedReaderReads, testing::ValuesIn(QuotingCases()),
                         test::CaseName{});
INSTANTIATE_TEST_SUITE_P(LineEnds, DelimitedReaderReads, testing::ValuesIn(LineEndCases()),
                         test::CaseName{});
INSTANTIATE_TEST_SUITE_P(ByteOrderMark, DelimitedReaderReads,
                         testing::ValuesIn(ByteOrderMarkCases()), test::CaseName{});
INSTANTIATE_TEST_SUITE_P(Malformed, DelimitedReaderReads, testing::ValuesIn(MalformedCases()),
                         test::CaseName{});
INSTANTIATE_TEST_SUITE_P(LongRecords, DelimitedReaderReads, testing::ValuesIn(LongRecordCases()),
                         test::CaseName{});

struct HeaderCase {
    const char* name;
    std::string input;
    char delimiter;
    // The first record's first field, read with that delimiter; none for no record.
    std::string first;
};

std::ostream& operator<<(std::ostream& os, const HeaderCase& row) {
    return os << row.name;
}

class DelimiterFromTheHeader : public testing::TestWithParam<HeaderCase> {};

// The delimiter found, and the header still read after it, at every size of read.
TEST_P(DelimiterFromTheHeader, IsTheCommonestOutsideQuotes) {
    const HeaderCase& c = GetParam();
    for (const std::size_t chunk : {std::size_t{1}, std::size_t{3}, std::size_t{1} << 30}) {
        SCOPED_TRACE(chunk);
        test::TextSource source(c.input, chunk);
        DelimitedReader reader(source);
        EXPECT_EQ(reader.Delimiter(), c.delimiter);
        Record record;
        const bool any = reader.Next(record);
        EXPECT_EQ(any ? std::string(record.fields.front()) : std::string(), c.first);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Headers, DelimiterFromTheHeader,
    testing::Values(HeaderCase{"Comma", "ean,name\n", ',', "ean"},
                    HeaderCase{"Semicolon", "ean;name;price,eur\n", ';', "ean"},
                    HeaderCase{"Tab", "ean\tname\n", '\t', "ean"},
                    HeaderCase{"NoneIsComma", "ean\n1;2;3\n", ',', "ean"},
                    HeaderCase{"Empty", "", ',', ""},
                    HeaderCase{"QuotedOnesDoNotCount", "\"a;b;c\",d,e\n", ',', "a;b;c"},
                    HeaderCase{"LineEndsInQuotes", "\"a\n;;\",b\n", ',', "a\n;;"},
                    HeaderCase{"OnlyTheFirstLine", "a;b\n,,,,\n", ';', "a"},
                    HeaderCase{"TieToTheFirstOfCommaSemicolonTab", "a\tb;c\n", ';', "a\tb"},
                    HeaderCase{"BlankLinesBefore", "\r\n\na\tb\n", '\t', "a"},
                    HeaderCase{"WithByteOrderMark", kBom + "a;b\n", ';', "a"},
                    HeaderCase{"WithoutLineEnd", "a;b", ';', "a"}),
    test::CaseName{});

TEST(DelimitedReader, AFailedReadReachesTheCaller) {
    test::TextSource source("a,b\n\"c", 1 << 20, true);
    DelimitedReader reader(source);
    Record record;
    ASSERT_TRUE(reader.Next(record));
    EXPECT_EQ(record.fields.size(), 2u);
    EXPECT_FALSE(reader.Next(record));
    EXPECT_EQ(reader.Status().Kind(), ErrorKind::Output);
    EXPECT_EQ(reader.Status().Error(), std::generic_category().message(EIO));
}

}  // namespace
}  // namespace varnholt::catalogue
