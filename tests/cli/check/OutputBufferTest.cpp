#include "cli/check/OutputBuffer.h"

#include <gtest/gtest.h>

#include <string>
#include <system_error>

#include "tests/support/TestStreams.h"

namespace varnholt::cli {
namespace {

// Every length a row's text can have, into a place with guard bytes around it.
TEST(Put, CopiesExactlyTheTextAndNothingAround) {
    for (std::size_t size = 0; size <= 70; ++size) {
        std::string text;
        for (std::size_t i = 0; i < size; ++i) {
            text += static_cast<char>('a' + i % 26);
        }
        std::string place(size + 16, '#');
        char* end = Put(place.data() + 8, text);
        EXPECT_EQ(end, place.data() + 8 + size);
        EXPECT_EQ(place, std::string(8, '#') + text + std::string(8, '#')) << size;
    }
}

TEST(OutputBuffer, HandsOnEverythingInOrderInLargeWrites) {
    test::TextSink sink;
    OutputBuffer out(sink);
    std::string expected;
    for (int i = 0; i < 20'000; ++i) {
        out.Append("row ");
        out.Append(std::to_string(i));
        out.Append(',');
        expected += "row " + std::to_string(i) + ",";
    }
    const std::string big(OutputBuffer::kCapacity + 5, 'x');
    out.Append(big);
    expected += big;
    char* to = out.Reserve(3);
    to = Put(to, "end");
    out.Commit(to);
    expected += "end";
    EXPECT_LT(sink.writes, 10);
    out.Flush();
    EXPECT_EQ(sink.text, expected);
}

TEST(OutputBuffer, NothingIsWrittenBeforeFlush) {
    test::TextSink sink;
    OutputBuffer out(sink);
    out.Append("5400101109971");
    EXPECT_EQ(sink.writes, 0);
    out.Flush();
    out.Flush();
    EXPECT_EQ(sink.text, "5400101109971");
    EXPECT_EQ(sink.writes, 1);
}

TEST(OutputBuffer, AFailedWriteReachesTheCaller) {
    test::TextSink sink;
    sink.BeFull();
    OutputBuffer out(sink);
    out.Append("5400101109971");
    EXPECT_FALSE(out.Failed());
    out.Flush();
    EXPECT_TRUE(out.Failed());
    EXPECT_EQ(out.Status().Error(), std::generic_category().message(ENOSPC));
    // Nothing more is handed to the sink once a write failed.
    out.Append(std::string(OutputBuffer::kCapacity + 1, '5'));
    out.Flush();
    EXPECT_EQ(sink.writes, 0);
}

}  // namespace
}  // namespace varnholt::cli
