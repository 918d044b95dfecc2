#include "catalogue/LineReader.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <ostream>
#include <string>
#include <system_error>
#include <vector>

#include "tests/support/CaseName.h"
#include "tests/support/TestStreams.h"

namespace varnholt::catalogue {
namespace {

struct ExpectedLine {
    std::string text;
    std::uint64_t length;
};

// A line as short as its text.
ExpectedLine Short(std::string text) {
    const std::uint64_t length = text.size();
    return {std::move(text), length};
}

// A line of `length` bytes of which only the first kShownOfLongLine are kept: `first`.
ExpectedLine Long(std::string first, std::uint64_t length) {
    return {std::move(first), length};
}

struct ReaderCase {
    const char* name;
    std::string input;
    std::vector<ExpectedLine> lines;
};

std::ostream& operator<<(std::ostream& os, const ReaderCase& row) {
    return os << row.name;
}

const std::string kBom = "\xEF\xBB\xBF";
const std::string kShownDigits(kShownOfLongLine, '7');

std::vector<ReaderCase> Cases() {
    const std::string longest(kLongestLine, '5');
    const std::string block(LineReader::kBlockSize, '9');
    return {
        {"Empty", "", {}},
        {"OnlyByteOrderMark", kBom, {}},
        {"ByteOrderMarkThenNumber", kBom + "5400101109971\n", {Short("5400101109971")}},
        {"ByteOrderMarkOnlyAtTheStart", "1\n" + kBom + "2\n", {Short("1"), Short(kBom + "2")}},
        {"PartOfAByteOrderMark",
         "\xEF\xBB"
         "1\n",
         {Short("\xEF\xBB"
                "1")}},
        {"LastLineWithoutEnd", "1\n22", {Short("1"), Short("22")}},
        {"CrLf", "1\r\n22\r\n", {Short("1"), Short("22")}},
        {"CrOnlyBeforeLf", "1\r2\r\r\n", {Short("1\r2\r")}},
        {"LastLineEndsInCr", "1\r", {Short("1")}},
        {"BlankLines", "\n\n \n", {Short(""), Short(""), Short(" ")}},
        {"NulBytes",
         std::string("5\0"
                     "4\n\0\n",
                     6),
         {Short(std::string("5\0"
                            "4",
                            3)),
          Short(std::string(1, '\0'))}},
        {"InvalidUtf8", "\xFF\xC3\n", {Short("\xFF\xC3")}},
        {"LongestLine", longest + "\n1\n", {Short(longest), Short("1")}},
        {"LongestLineWithCr", longest + "\r\n", {Short(longest)}},
        {"OneByteTooLong",
         longest + "5\n1\n",
         {Long(longest.substr(0, kShownOfLongLine), kLongestLine + 1), Short("1")}},
        {"LineLongerThanABlock",
         kShownDigits + block + block + "\r\n42\n",
         {Long(kShownDigits, kShownOfLongLine + 2 * block.size()), Short("42")}},
        {"LongLineAtTheEnd",
         kShownDigits + block,
         {Long(kShownDigits, kShownOfLongLine + block.size())}},
        {"LongLineOfCrs",
         kShownDigits + std::string(3000, '\r') + "\n",
         {Long(kShownDigits, kShownOfLongLine + 2999)}},
    };
}

// Every case once with the whole input at hand and once a few bytes at a time, so that
// lines and byte-order marks fall across reads.
class LineReaderReads : public testing::TestWithParam<ReaderCase> {};

void ExpectLines(const ReaderCase& c, std::size_t chunk) {
    test::TextSource source(c.input, chunk);
    LineReader reader(source);
    Line line;
    for (std::size_t i = 0; i < c.lines.size(); ++i) {
        ASSERT_TRUE(reader.Next(line)) << "line " << i + 1 << " of " << c.lines.size();
        EXPECT_EQ(line.text, c.lines[i].text) << "line " << i + 1;
        EXPECT_EQ(line.length, c.lines[i].length) << "line " << i + 1;
        EXPECT_EQ(line.number, i + 1);
        EXPECT_EQ(line.TooLong(), c.lines[i].length > kLongestLine);
    }
    EXPECT_FALSE(reader.Next(line));
    EXPECT_FALSE(reader.Next(line)) << "the end stays the end";
    EXPECT_EQ(reader.BytesRead(), c.input.size());
}

TEST_P(LineReaderReads, AllAtOnce) {
    ExpectLines(GetParam(), std::size_t{1} << 30);
}

TEST_P(LineReaderReads, AFewBytesAtATime) {
    for (const std::size_t chunk : {1u, 2u, 3u, 7u, 4093u}) {
        SCOPED_TRACE(chunk);
        ExpectLines(GetParam(), chunk);
    }
}

INSTANTIATE_TEST_SUITE_P(Inputs, LineReaderReads, testing::ValuesIn(Cases()), test::CaseName{});

TEST(LineReader, ManyLinesAcrossBlocks) {
    // Lines of 1 to 13 digits, so that block ends fall at every place in a line.
    std::string input;
    std::vector<std::string> expected;
    for (int i = 0; input.size() < 3 * LineReader::kBlockSize; ++i) {
        expected.push_back(
            std::string(static_cast<std::size_t>(i % 13 + 1), static_cast<char>('0' + i % 10)));
        input += expected.back() + (i % 3 == 0 ? "\r\n" : "\n");
    }
    test::TextSource source(input, 5000);
    LineReader reader(source);
    Line line;
    for (const std::string& text : expected) {
        ASSERT_TRUE(reader.Next(line));
        ASSERT_EQ(line.text, text) << "line " << line.number;
    }
    EXPECT_FALSE(reader.Next(line));
}

// The line cut short by the failure is not handed out as if the input ended there.
TEST(LineReader, AFailedReadReachesTheCaller) {
    test::TextSource source("1\n2", 1 << 20, true);
    LineReader reader(source);
    Line line;
    ASSERT_TRUE(reader.Next(line));
    EXPECT_EQ(line.text, "1");
    EXPECT_TRUE(reader.Status());
    EXPECT_FALSE(reader.Next(line));
    EXPECT_EQ(reader.Status().Kind(), ErrorKind::Output);
    EXPECT_EQ(reader.Status().Error(), std::generic_category().message(EIO));
    EXPECT_FALSE(reader.Next(line));
}

}  // namespace
}  // namespace varnholt::catalogue
