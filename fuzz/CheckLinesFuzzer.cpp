// The check command's line reader, per-line result and csv rows on any bytes: read back by a
// csv parser of its own, the output must hold a header and one row per line that is not
// blank, each telling what a plain restatement of the rules says about that line, and for a
// line of GS1 data what varnholt::gs1 reads in it. Input:
// one byte c for how many bytes each read hands out (1 + c * c), one byte that widens the
// text (see Widen), then the text.

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "catalogue/LineReader.h"
#include "cli/Streams.h"
#include "cli/check/CheckedLine.h"
#include "cli/check/OutputBuffer.h"
#include "cli/check/RowWriter.h"
#include "fuzz/FamilyOracles.h"
#include "fuzz/FuzzInput.h"
#include "fuzz/Oracles.h"
#include "fuzz/Require.h"
#include "model/DisplayText.h"
#include "model/gs1/Bracketed.h"
#include "model/gs1/DigitalLink.h"
#include "model/gs1/ScannerData.h"

namespace varnholt::fuzz {
namespace {

// Blocks as small as the reader allows, and texts past one by a few longest lines, so that
// lines run across reads and blocks at little cost.
constexpr std::size_t kBlock = 2 * catalogue::kLongestLine;
constexpr std::size_t kLongest = kBlock + 4 * catalogue::kLongestLine;

class Source final : public catalogue::ByteSource {
  public:
    Source(std::string_view text, std::size_t chunk) : text_(text), chunk_(chunk) {}
    Result<std::size_t> Read(char* into, std::size_t room) override {
        const std::size_t count = std::min({room, chunk_, text_.size()});
        std::memcpy(into, text_.data(), count);
        text_.remove_prefix(count);
        return count;
    }

  private:
    std::string_view text_;
    std::size_t chunk_;
};

class Sink final : public cli::ByteSink {
  public:
    Result<Done> Write(std::string_view bytes) override {
        text += bytes;
        return Done{};
    }
    std::string text;
};

// The lines of a text as a plain restatement sees them: split at LF, without a CR right
// before the LF (or at the very end), and without a UTF-8 byte-order mark at the start.
VARNHOLT_RESTATEMENT std::vector<std::string_view> SplitLines(std::string_view text) {
    if (text.starts_with("\xEF\xBB\xBF")) {
        text.remove_prefix(3);
    }
    std::vector<std::string_view> lines;
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
        if (line.ends_with('\r')) {
            line.remove_suffix(1);
        }
        lines.push_back(line);
    }
    return lines;
}

VARNHOLT_RESTATEMENT bool IsBlankByte(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f';
}

VARNHOLT_RESTATEMENT std::string_view Trim(std::string_view text) {
    while (!text.empty() && IsBlankByte(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && IsBlankByte(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

// Reads csv as RFC 4180 writes it, LF for the line end; every record ends in one.
VARNHOLT_RESTATEMENT std::vector<std::vector<std::string>> ParseCsv(std::string_view text) {
    std::vector<std::vector<std::string>> records(1);
    records.back().emplace_back();
    std::size_t i = 0;
    bool fieldStart = true;
    while (i < text.size()) {
        const char c = text[i];
        if (fieldStart && c == '"') {
            ++i;
            for (;;) {
                VARNHOLT_REQUIRE(i < text.size());
                if (text[i] == '"') {
                    if (i + 1 < text.size() && text[i + 1] == '"') {
                        records.back().back() += '"';
                        i += 2;
                        continue;
                    }
                    ++i;
                    break;
                }
                records.back().back() += text[i++];
            }
            VARNHOLT_REQUIRE(i < text.size() && (text[i] == ',' || text[i] == '\n'));
            fieldStart = false;
            continue;
        }
        fieldStart = false;
        ++i;
        if (c == ',') {
            records.back().emplace_back();
            fieldStart = true;
        } else if (c == '\n') {
            records.emplace_back();
            records.back().emplace_back();
            fieldStart = true;
        } else {
            VARNHOLT_REQUIRE(c != '"' && c != '\r');
            records.back().back() += c;
        }
    }
    VARNHOLT_REQUIRE(records.back().size() == 1 && records.back().back().empty());
    records.pop_back();
    return records;
}

// Valid UTF-8 without a control character: what every field must be.
VARNHOLT_RESTATEMENT bool IsSafeText(std::string_view text) {
    for (std::size_t i = 0; i < text.size();) {
        const auto lead = static_cast<unsigned char>(text[i]);
        if (lead < 0x80) {
            if (lead < 0x20 || lead == 0x7F) {
                return false;
            }
            ++i;
            continue;
        }
        const std::size_t length = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC2 ? 2 : 0;
        if (length == 0 || i + length > text.size()) {
            return false;
        }
        for (std::size_t k = 1; k < length; ++k) {
            if ((static_cast<unsigned char>(text[i + k]) & 0xC0) != 0x80) {
                return false;
            }
        }
        i += length;
    }
    return true;
}

// What a plain restatement of the family's rules says of a trimmed line: its format (empty
// for no number), whether it is valid, its right check character, the GTIN in 14 digits and
// the EAN whose facts apply.
struct Expected {
    std::string format;
    bool valid = false;
    std::string check;
    std::string gtin;
    std::string ean;
};

VARNHOLT_RESTATEMENT Expected ExpectedOf(std::string_view trimmed, bool tooLong) {
    Expected expect;
    const std::size_t plus = trimmed.find('+');
    const std::string kept = Kept(trimmed.substr(0, plus));
    const std::string addOn = plus == std::string_view::npos ? "" : Kept(trimmed.substr(plus + 1));
    const bool addOnFits = plus == std::string_view::npos ||
                           (AllDigits(addOn) && (addOn.size() == 2 || addOn.size() == 5));
    if (tooLong || !addOnFits) {
        return expect;
    }
    const std::size_t n = kept.size();
    // An EAN-8 and a GTIN-14 carry no add-on.
    if (plus != std::string_view::npos && (n == 8 || n == 14) && AllDigits(kept)) {
        return expect;
    }
    if ((n == 8 || n == 12 || n == 13 || n == 14) && AllDigits(kept)) {
        const std::string body = kept.substr(0, n - 1);
        expect.format = "GTIN-" + std::to_string(n);
        expect.check = std::to_string(WeightedCheckDigit(body));
        expect.valid = kept.back() == expect.check[0];
        expect.gtin = std::string(14 - n, '0') + kept;
        expect.ean = n == 12 ? "0" + kept : n == 14 ? WithCheckDigit(kept.substr(1, 12)) : kept;
    } else if (n == 10 && AllDigits(kept.substr(0, 9)) &&
               (AllDigits(kept.substr(9)) || kept[9] == 'X' || kept[9] == 'x')) {
        expect.format = "ISBN-10";
        expect.check = std::string(1, IsbnCheckCharacter(kept.substr(0, 9)));
        expect.valid = (kept[9] == 'x' ? 'X' : kept[9]) == expect.check[0];
        expect.ean = WithCheckDigit("978" + kept.substr(0, 9));
        expect.gtin = "0" + expect.ean;
    }
    return expect;
}

// A trimmed line that starts as GS1 data does, read by the reading its start names.
std::optional<Result<gs1::Reading>> Gs1ReadingOf(std::string_view trimmed) {
    if (trimmed.starts_with('(')) {
        return gs1::ReadBracketed(trimmed);
    }
    if (trimmed.starts_with(']')) {
        return gs1::ReadScannerData(trimmed);
    }
    if (trimmed.starts_with("http://") || trimmed.starts_with("https://")) {
        return gs1::ReadDigitalLink(trimmed);
    }
    return std::nullopt;
}

// A GS1 line's row: valid exactly when the data reads, then its forms and its (01), otherwise
// the refusal's words and nothing else.
void RequireGs1Row(const std::vector<std::string>& fields, std::string_view trimmed,
                   const Result<gs1::Reading>& reading) {
    VARNHOLT_REQUIRE(fields[2] == SafeText(trimmed));
    VARNHOLT_REQUIRE(fields[10] ==
                     (trimmed.starts_with('h') ? "GS1 Digital Link" : "GS1 element string"));
    VARNHOLT_REQUIRE(fields[3] == (reading ? "true" : "false"));
    VARNHOLT_REQUIRE(fields[8].empty());
    if (!reading) {
        VARNHOLT_REQUIRE(fields[9] == SafeText(reading.Error()));
        for (const std::size_t empty : {4u, 5u, 6u, 7u, 11u, 12u, 13u}) {
            VARNHOLT_REQUIRE(fields[empty].empty());
        }
        return;
    }
    VARNHOLT_REQUIRE(fields[9].empty());
    VARNHOLT_REQUIRE(fields[12] == gs1::BracketedText(*reading));
    const Result<std::string> uri = gs1::DigitalLinkUri(*reading);
    VARNHOLT_REQUIRE(fields[13] == (uri ? *uri : std::string()));
    const std::optional<std::string_view> gtin = reading->ValueOf("01");
    VARNHOLT_REQUIRE(fields[11] == gtin.value_or(""));
    // A GTIN's facts are those of the GTIN-13 inside it, with its own check digit.
    VARNHOLT_REQUIRE(!fields[5].empty() == gtin.has_value());
    if (gtin) {
        VARNHOLT_REQUIRE(fields[5] + fields[6] + fields[7] == gtin->substr(1, 12) ||
                         fields[5] + fields[6] + fields[7] == gtin->substr(6, 7));
    }
}

void CheckLines(std::string_view text, std::size_t chunk) {
    const std::vector<std::string_view> expected = SplitLines(text);

    Source source(text, chunk);
    catalogue::LineReader reader(source, kBlock);
    Sink sink;
    cli::OutputBuffer out(sink);
    const std::string file = "in,\"put\".txt";
    const std::vector<std::string> files{file};
    const auto writer = cli::MakeRowWriter(cli::RowFormat::Csv, out, files);
    cli::LineChecker checker;
    cli::LineChecker judge;
    cli::Row row;
    row.StartFile(file);
    catalogue::Line line;
    std::size_t count = 0;
    while (reader.Next(line)) {
        VARNHOLT_REQUIRE(count < expected.size());
        const std::string_view whole = expected[count++];
        VARNHOLT_REQUIRE(line.number == count && line.length == whole.size());
        VARNHOLT_REQUIRE(line.text == whole.substr(0, line.TooLong() ? catalogue::kShownOfLongLine
                                                                     : whole.size()));
        const cli::CheckedLine& checked = checker.Check(line);
        VARNHOLT_REQUIRE(judge.Judge(line) == checked.verdict);
        if (checked.verdict != cli::Verdict::Blank) {
            row.Set(line.number, checked);
            writer->Write(row);
        }
    }
    VARNHOLT_REQUIRE(count == expected.size());
    VARNHOLT_REQUIRE(reader.BytesRead() == text.size());
    out.Flush();

    const auto records = ParseCsv(sink.text);
    VARNHOLT_REQUIRE(!records.empty());
    std::vector<std::string> header;
    for (const cli::Column& column : cli::kColumns) {
        header.emplace_back(column.name);
    }
    VARNHOLT_REQUIRE(records.front() == header);
    std::size_t record = 1;
    for (std::size_t index = 0; index < expected.size(); ++index) {
        const std::string_view whole = expected[index];
        const bool tooLong = whole.size() > catalogue::kLongestLine;
        const std::string_view trimmed = Trim(whole);
        if (!tooLong && trimmed.empty()) {
            continue;
        }
        VARNHOLT_REQUIRE(record < records.size());
        const std::vector<std::string>& fields = records[record++];
        VARNHOLT_REQUIRE(fields.size() == cli::kColumns.size());
        for (const std::string& field : fields) {
            VARNHOLT_REQUIRE(IsSafeText(field));
        }
        VARNHOLT_REQUIRE(fields[0] == file && fields[1] == std::to_string(index + 1));

        if (!tooLong) {
            if (const auto reading = Gs1ReadingOf(trimmed)) {
                RequireGs1Row(fields, trimmed, *reading);
                continue;
            }
        }
        const Expected expect = ExpectedOf(trimmed, tooLong);
        VARNHOLT_REQUIRE(fields[3] == (expect.valid ? "true" : "false"));
        // A number's row holds its facts and no error; any other line's, an error alone.
        VARNHOLT_REQUIRE(fields[9].empty() == !expect.format.empty());
        VARNHOLT_REQUIRE(!fields[5].empty() == !expect.format.empty());
        VARNHOLT_REQUIRE(fields[10] == expect.format);
        VARNHOLT_REQUIRE(fields[11] == (expect.valid ? expect.gtin : std::string()));
        if (!expect.format.empty()) {
            const std::string body = expect.ean.substr(0, expect.ean.size() - 1);
            VARNHOLT_REQUIRE(fields[2] == trimmed);
            VARNHOLT_REQUIRE(fields[5] + fields[6] + fields[7] == body);
            VARNHOLT_REQUIRE(fields[6].empty() == (expect.ean.size() == 8));
            VARNHOLT_REQUIRE(fields[8] == (expect.valid ? std::string() : expect.check));
        } else {
            VARNHOLT_REQUIRE(fields[4].empty() && fields[6].empty() && fields[7].empty() &&
                             fields[8].empty());
        }
        VARNHOLT_REQUIRE(fields[12].empty() && fields[13].empty());
    }
    VARNHOLT_REQUIRE(record == records.size());
}

}  // namespace
}  // namespace varnholt::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace varnholt::fuzz;
    FuzzInput input(data, size);
    const auto chunk = input.Take<std::uint8_t>();
    const auto width = input.Take<std::uint8_t>();
    const std::string text = WidenLastLine(input.Rest(), width, kLongest);
    // Reads of 1 byte (0) to several blocks (255).
    CheckLines(text, std::size_t{1} + std::size_t{chunk} * chunk);
    return 0;
}
