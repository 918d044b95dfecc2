#include "cli/RowStart.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

namespace varnholt::cli {
namespace {

std::string StartOf(RowStart& start, std::uint64_t line) {
    std::string text(start.LongestSize() + 32, '#');
    const char* end = start.Write(text.data(), line);
    text.resize(static_cast<std::size_t>(end - text.data()));
    return text;
}

// Line numbers as rows come: mostly one after the other, where each digit carries in turn,
// sometimes with gaps (blank lines, rows left out) and after a new file.
TEST(RowStart, CountsLineNumbersUp) {
    RowStart start;
    start.Reset("a.txt,", ",");
    const std::vector<std::uint64_t> lines = {1,
                                              2,
                                              3,
                                              9,
                                              10,
                                              11,
                                              19,
                                              20,
                                              99,
                                              100,
                                              101,
                                              999,
                                              1000,
                                              1001,
                                              9999999,
                                              10000000,
                                              10000001,
                                              99999998,
                                              99999999,
                                              100000000,
                                              100000001,
                                              100000002,
                                              18446744073709551614u,
                                              18446744073709551615u,
                                              5,
                                              6};
    for (const std::uint64_t line : lines) {
        EXPECT_EQ(StartOf(start, line), "a.txt," + std::to_string(line) + ",");
    }
}

TEST(RowStart, EveryNumberFromOneOn) {
    RowStart start;
    start.Reset("{\"line\":", "");
    for (std::uint64_t line = 1; line <= 123'456; ++line) {
        ASSERT_EQ(StartOf(start, line), "{\"line\":" + std::to_string(line));
    }
}

TEST(RowStart, ANewFileStartsAfresh) {
    RowStart start;
    start.Reset("a,", ",");
    EXPECT_EQ(StartOf(start, 1), "a,1,");
    EXPECT_EQ(StartOf(start, 2), "a,2,");
    start.Reset("bb,", ",");
    EXPECT_EQ(StartOf(start, 1), "bb,1,");
    EXPECT_EQ(StartOf(start, 3), "bb,3,");
}

TEST(RowStart, LongestSizeHoldsTheLongestNumber) {
    RowStart start;
    start.Reset("file,", ",");
    EXPECT_EQ(StartOf(start, 18446744073709551615u).size(), start.LongestSize());
}

}  // namespace
}  // namespace varnholt::cli
