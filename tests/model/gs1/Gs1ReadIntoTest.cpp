#include <gtest/gtest.h>

#include <string>
#include <string_view>

#include "model/gs1/Bracketed.h"
#include "model/gs1/DigitalLink.h"
#include "model/gs1/ScannerData.h"

namespace varnholt::gs1 {
namespace {

// Lines of every syntax, right and wrong in turn, so that each is read over what the last left.
constexpr std::string_view kLines[] = {
    "(01)09506000134352(17)271231(10)AB\\(12",
    "(01)09506000134353(10)AB",
    "]d201095060001343521012\x1D"
    "17271231",
    "]C10109506000134352(10)",
    "https://id.gs1.org/01/09506000134352/10/AB%2812?17=271231",
    "https://example.com/01/9506000134352/21/X?17=271331",
    "(10)ABC(21)1",
    "",
};

Result<Done> ReadInto(std::string_view line, Reading& reading, const ReadOptions& options) {
    if (line.starts_with("http")) {
        return ReadDigitalLinkInto(line, reading, options);
    }
    if (line.starts_with("]")) {
        return ReadScannerDataInto(line, reading, options);
    }
    return ReadBracketedInto(line, reading, options);
}

Result<Reading> ReadFresh(std::string_view line, const ReadOptions& options) {
    if (line.starts_with("http")) {
        return ReadDigitalLink(line, options);
    }
    if (line.starts_with("]")) {
        return ReadScannerData(line, options);
    }
    return ReadBracketed(line, options);
}

// One reading reused over many lines says of each what a fresh one says, and its forms added
// to text already there read back as the reading; a refused URI leaves the text as it was.
TEST(Gs1ReadInto, ReusedReadingAgreesWithFreshOneAndItsFormsAppend) {
    std::size_t valid = 0;
    for (const bool associations : {true, false}) {
        const ReadOptions options{associations};
        Reading reused;
        for (const std::string_view line : kLines) {
            SCOPED_TRACE(std::string(line) + (associations ? "" : ", without associations"));
            const Result<Reading> fresh = ReadFresh(line, options);
            const Result<Done> read = ReadInto(line, reused, options);
            ASSERT_EQ(static_cast<bool>(read), static_cast<bool>(fresh));
            if (!read) {
                EXPECT_EQ(read.Error(), fresh.Error());
                continue;
            }
            EXPECT_EQ(reused, *fresh);
            ++valid;

            std::string text = "before";
            AppendBracketedText(reused, text);
            ASSERT_TRUE(text.starts_with("before"));
            const Result<Reading> bracketed = ReadBracketed(text.substr(6), options);
            ASSERT_TRUE(bracketed) << bracketed.Error();
            EXPECT_EQ(*bracketed, reused);

            std::string uri = "before";
            if (const Result<Done> made = AppendDigitalLinkUri(reused, "https://example.com/", uri);
                made) {
                ASSERT_TRUE(uri.starts_with("beforehttps://example.com/"));
                const Result<Reading> linked = ReadDigitalLink(uri.substr(6), options);
                ASSERT_TRUE(linked) << linked.Error();
                EXPECT_EQ(linked->Size(), reused.Size());
            } else {
                EXPECT_EQ(uri, "before");
            }
        }
    }
    // Three lines are right, and the fourth without associations.
    EXPECT_EQ(valid, 7U);
}

}  // namespace
}  // namespace varnholt::gs1
