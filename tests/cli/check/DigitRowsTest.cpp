#include "cli/check/DigitRows.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "cli/check/RowWriter.h"
#include "model/GtinNumber.h"
#include "tests/support/TestStreams.h"

namespace varnholt::cli {
namespace {

// Digits of every length around a number's, a third with their right check digit, and some
// lines that are digits with something else.
std::vector<std::string> MixedLines() {
    std::mt19937 random(20261208);
    std::vector<std::string> lines;
    for (int i = 0; i < 3000; ++i) {
        std::string digits(7 + random() % 9, '0');
        for (char& digit : digits) {
            digit = static_cast<char>('0' + random() % 10);
        }
        if (const auto number = GtinNumberOf(digits); number && i % 3 == 0) {
            digits.back() = number->checkDigit;
        }
        lines.push_back(digits);
    }
    for (const char* other :
         {"9780306406157+51", "0-306-40615-2", " 4006381333931", "030640615X"}) {
        lines.emplace_back(other);
    }
    return lines;
}

struct Rows {
    std::string text;
    std::uint64_t taken = 0;  // lines the digit rows wrote or passed over
};

// Every line through the general writer, or through the digit rows where they take it; in
// both, line numbers with gaps and a file name.
Rows Write(char delimiter, bool digitRows, bool invalidOnly, std::string_view file) {
    test::TextSink sink;
    OutputBuffer out(sink);
    const auto writer = MakeDelimitedWriter(out, delimiter);
    DigitRows fast(out, delimiter);
    fast.StartFile(file);
    LineChecker checker;
    Row row;
    row.StartFile(file);
    Rows rows;
    std::uint64_t number = 0;
    for (const std::string& text : MixedLines()) {
        // The reader's promise: bytes past a line's end may be read.
        const std::string held = text + std::string(catalogue::LineReader::kReadable, '\n');
        Line line{std::string_view(held.data(), text.size()), text.size(), ++number};
        number += number % 7 == 0 ? 990u : 0u;
        if (digitRows && fast.Write(line, invalidOnly)) {
            ++rows.taken;
            continue;
        }
        const CheckedLine& checked = checker.Check(line);
        if (!invalidOnly || checked.verdict != Verdict::Valid) {
            row.Set(line.number, checked);
            writer->Write(row);
        }
    }
    out.Flush();
    rows.text = sink.text;
    return rows;
}

TEST(DigitRows, WriteTheGeneralWritersBytesForEveryNumberOfDigitsAlone) {
    for (const char delimiter : {',', '\t'}) {
        for (const bool invalidOnly : {false, true}) {
            SCOPED_TRACE(testing::Message()
                         << "delimiter " << int{delimiter} << ", invalid only " << invalidOnly);
            const Rows fast = Write(delimiter, true, invalidOnly, "catalogue.txt");
            EXPECT_EQ(fast.text, Write(delimiter, false, invalidOnly, "catalogue.txt").text);
            // Lengths 8, 10, 12, 13 and 14 of the nine are taken: about five ninths.
            EXPECT_GT(fast.taken, 1500u);
            EXPECT_LT(fast.taken, 1800u);
        }
    }
}

TEST(DigitRows, LeaveAFileNameCsvQuotesToTheGeneralWriter) {
    const Rows csv = Write(',', true, false, "a,b.txt");
    EXPECT_EQ(csv.taken, 0u);
    EXPECT_EQ(csv.text, Write(',', false, false, "a,b.txt").text);
    EXPECT_EQ(Write('\t', true, false, "a,b.txt").text, Write('\t', false, false, "a,b.txt").text);
}

}  // namespace
}  // namespace varnholt::cli
